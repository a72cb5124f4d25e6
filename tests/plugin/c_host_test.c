// A host written in C that knows the plug-in only by its exported names and its slot numbers.
//
// It lays out its own solver library, providers, set provider and client callback objects as
// structs whose first member points to a table of functions, with a trap in every slot the plug-in
// is not meant to call (and in a few past the end of each table), loads the plug-in as a host
// does, and drives the solver through the numbered slots of its virtual table. On 32-bit Windows
// every slot is thiscall, the object in ecx; elsewhere the object is the first argument.
//
// Linux runs it with the real optimizer library; Windows (under Wine) with the optimizer test
// double, scripted with the same hand-solved answers.
#include <math.h>
#include <stdarg.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/host/vrim_host.h"
#if defined(CORVANE_WITH_DOUBLE)
#include "platform/xprs-double/xprs_double.h"
#endif

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <direct.h>
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>
#endif

#if defined(_WIN32) && defined(__i386__)
#define SLOT __attribute__((thiscall))
#else
#define SLOT
#endif

// ---- Checks --------------------------------------------------------------------------------

static int failures = 0;

static void fail(int line, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    fprintf(stderr, "c_host_test.c:%d: ", line);
    vfprintf(stderr, format, arguments);
    fputc('\n', stderr);
    va_end(arguments);
    ++failures;
}

#define CHECK(condition)                                    \
    do {                                                    \
        if (!(condition)) fail(__LINE__, "%s", #condition); \
    } while (0)
#define CHECK_INT(actual, expected)                                                 \
    do {                                                                            \
        long long a_ = (long long)(actual), e_ = (long long)(expected);             \
        if (a_ != e_) fail(__LINE__, "%s is %lld, expected %lld", #actual, a_, e_); \
    } while (0)
#define CHECK_REAL(actual, expected, tolerance)                           \
    do {                                                                  \
        double a_ = (actual), e_ = (expected);                            \
        if (!(fabs(a_ - e_) <= (tolerance)))                              \
            fail(__LINE__, "%s is %.9g, expected %.9g", #actual, a_, e_); \
    } while (0)
#define CHECK_STR(actual, expected)                                                           \
    do {                                                                                      \
        const char *a_ = (actual), *e_ = (expected);                                          \
        if (!a_ || strcmp(a_, e_) != 0)                                                       \
            fail(__LINE__, "%s is \"%s\", expected \"%s\"", #actual, a_ ? a_ : "(null)", e_); \
    } while (0)

// ---- Objects and slots ---------------------------------------------------------------------

typedef void (*AnyFn)(void);
// Every object across the boundary starts with its table pointer.
typedef struct {
    const AnyFn* table;
} Object;

#define SLOT_OF(object, slot, type) ((type)(((const Object*)(object))->table[slot]))

// Traps: the slots the plug-in is not given. Each records the object kind and slot it was called
// through; none may be called.
static char trapsCalled[1024];

static void recordTrap(const char* kind, int slot) {
    char entry[64];
    snprintf(entry, sizeof entry, " %s[%d]", kind, slot);
    if (strlen(trapsCalled) + strlen(entry) < sizeof trapsCalled) strcat(trapsCalled, entry);
}

#define TRAP(kind, slot)                                \
    static void SLOT trap_##kind##_##slot(void* self) { \
        (void)self;                                     \
        recordTrap(#kind, slot);                        \
    }
#define T(kind, slot) ((AnyFn)trap_##kind##_##slot)

// Calls the plug-in made into the host's objects, counted by slot.
enum { kMaxSlots = 16 };
typedef struct {
    int calls[kMaxSlots];
} SlotCounts;

// ---- Solver library ------------------------------------------------------------------------

typedef struct {
    const AnyFn* table;
    void* solvers[4];
    int count;
    SlotCounts reached;
} Library;

typedef const char*(SLOT* InqNameFn)(void*);

static int SLOT libraryAdd(Library* self, void* solver) {
    ++self->reached.calls[1];
    if (self->count == 4) return 1;
    self->solvers[self->count++] = solver;
    return 0;
}

static int SLOT libraryRemove(Library* self, void* solver) {
    ++self->reached.calls[2];
    for (int k = 0; k < self->count; ++k) {
        if (self->solvers[k] != solver) continue;
        self->solvers[k] = self->solvers[--self->count];
        return 0;
    }
    return 1;
}

static void* SLOT libraryFind(Library* self, const char* name) {
    ++self->reached.calls[3];
    for (int k = 0; k < self->count; ++k)
        if (strcmp(SLOT_OF(self->solvers[k], 2, InqNameFn)(self->solvers[k]), name) == 0)
            return self->solvers[k];
    return NULL;
}

TRAP(library, 0)
TRAP(library, 4)
TRAP(library, 5)
static const AnyFn libraryTable[] = {T(library, 0),      (AnyFn)libraryAdd, (AnyFn)libraryRemove,
                                     (AnyFn)libraryFind, T(library, 4),     T(library, 5)};

// ---- The model and its providers -----------------------------------------------------------

enum { kMaxVars = 4, kMaxEqns = 4, kMaxElements = 8 };

typedef struct {
    int numVars, numEqns, numElements;
    double values[kMaxVars], lower[kMaxVars], upper[kMaxVars], reducedCosts[kMaxVars];
    int varTypes[kMaxVars], varBasis[kMaxVars];
    double residuals[kMaxEqns], multipliers[kMaxEqns], duals[kMaxEqns], rhs[kMaxEqns];
    int eqnTypes[kMaxEqns], eqnBasis[kMaxEqns];
    int rows[kMaxElements], cols[kMaxElements];  // 1-based
    double elements[kMaxElements];
    double objective[kMaxVars];  // linear, minimised
    int setSize;                 // one set of type 1 over the first setSize variables, or none
} Model;

typedef struct {
    const AnyFn* table;
    Model* model;
    SlotCounts reached;
} Provider;

static Model* modelOf(void* provider, int slot) {
    Provider* self = (Provider*)provider;
    ++self->reached.calls[slot];
    return self->model;
}

static int copyName(const char* prefix, int index, int maxLen, char* buffer) {
    char name[32];
    snprintf(name, sizeof name, "%s%d", prefix, index);
    snprintf(buffer, (size_t)maxLen + 1, "%s", name);
    return 0;
}

static int SLOT varsCount(void* self) {
    return modelOf(self, 1)->numVars;
}
static double* SLOT varsValues(void* self) {
    return modelOf(self, 2)->values;
}
static double* SLOT varsLower(void* self) {
    return modelOf(self, 3)->lower;
}
static double* SLOT varsUpper(void* self) {
    return modelOf(self, 4)->upper;
}
static double* SLOT varsReducedCosts(void* self) {
    return modelOf(self, 7)->reducedCosts;
}
static int* SLOT varsTypes(void* self) {
    return modelOf(self, 8)->varTypes;
}
static int SLOT varsNames(void* self, int first, int last, int maxLen, char* buffer) {
    modelOf(self, 10);
    (void)last;
    return copyName("var_x", first, maxLen, buffer);
}
static int* SLOT varsBasis(void* self) {
    return modelOf(self, 12)->varBasis;
}
TRAP(vars, 0)
TRAP(vars, 5)
TRAP(vars, 6)
TRAP(vars, 9)
TRAP(vars, 11)
TRAP(vars, 13)
TRAP(vars, 14)
static const AnyFn varsTable[] = {
    T(vars, 0),       (AnyFn)varsCount, (AnyFn)varsValues,       (AnyFn)varsLower, (AnyFn)varsUpper,
    T(vars, 5),       T(vars, 6),       (AnyFn)varsReducedCosts, (AnyFn)varsTypes, T(vars, 9),
    (AnyFn)varsNames, T(vars, 11),      (AnyFn)varsBasis,        T(vars, 13),      T(vars, 14)};

static int SLOT eqnsCount(void* self) {
    return modelOf(self, 1)->numEqns;
}
static double* SLOT eqnsResiduals(void* self) {
    return modelOf(self, 2)->residuals;
}
static double* SLOT eqnsMultipliers(void* self) {
    return modelOf(self, 3)->multipliers;
}
static int* SLOT eqnsTypes(void* self) {
    return modelOf(self, 4)->eqnTypes;
}
static double* SLOT eqnsDuals(void* self) {
    return modelOf(self, 5)->duals;
}
static int SLOT eqnsNames(void* self, int first, int last, int maxLen, char* buffer) {
    modelOf(self, 7);
    (void)last;
    return copyName("equ_e", first, maxLen, buffer);
}
static int* SLOT eqnsBasis(void* self) {
    return modelOf(self, 8)->eqnBasis;
}
TRAP(eqns, 0)
TRAP(eqns, 6)
TRAP(eqns, 9)
TRAP(eqns, 10)
static const AnyFn eqnsTable[] = {
    T(eqns, 0),       (AnyFn)eqnsCount, (AnyFn)eqnsResiduals, (AnyFn)eqnsMultipliers,
    (AnyFn)eqnsTypes, (AnyFn)eqnsDuals, T(eqns, 6),           (AnyFn)eqnsNames,
    (AnyFn)eqnsBasis, T(eqns, 9),       T(eqns, 10)};

static int SLOT derivsCount(void* self) {
    return modelOf(self, 1)->numElements;
}
static int* SLOT derivsRows(void* self) {
    return modelOf(self, 2)->rows;
}
static int* SLOT derivsCols(void* self) {
    return modelOf(self, 3)->cols;
}
static double* SLOT derivsValues(void* self) {
    return modelOf(self, 4)->elements;
}
TRAP(derivs, 0)
TRAP(derivs, 5)
TRAP(derivs, 6)
static const AnyFn derivsTable[] = {T(derivs, 0),      (AnyFn)derivsCount,  (AnyFn)derivsRows,
                                    (AnyFn)derivsCols, (AnyFn)derivsValues, T(derivs, 5),
                                    T(derivs, 6)};

static int SLOT objPrepare(void* self, int* status) {
    modelOf(self, 1);
    if (status) *status = 0;
    return 0;
}
static int SLOT objCount(void* self) {
    return modelOf(self, 2)->numVars;
}
static int SLOT objIndices(void* self, int* indices) {
    const Model* model = modelOf(self, 3);
    for (int j = 0; j < model->numVars; ++j) indices[j] = j + 1;
    return 0;
}
static int SLOT objSense(void* self) {
    modelOf(self, 5);
    return 1;
}
static int SLOT objDerivatives(void* self, double* first, double* second, int* status) {
    const Model* model = modelOf(self, 8);
    for (int j = 0; j < model->numVars; ++j) {
        first[j] = model->objective[j];
        second[j] = 0.0;
    }
    if (status) *status = 0;
    return 0;
}
TRAP(obj, 0)
TRAP(obj, 4)
TRAP(obj, 6)
TRAP(obj, 7)
TRAP(obj, 9)
TRAP(obj, 10)
static const AnyFn objTable[] = {T(obj, 0),         (AnyFn)objPrepare, (AnyFn)objCount,
                                 (AnyFn)objIndices, T(obj, 4),         (AnyFn)objSense,
                                 T(obj, 6),         T(obj, 7),         (AnyFn)objDerivatives,
                                 T(obj, 9),         T(obj, 10)};

static int SLOT setsCount(void* self) {
    return modelOf(self, 3)->setSize > 0 ? 1 : 0;
}
static int SLOT setsCountOfType(void* self, int type) {
    return type == 1 && modelOf(self, 4)->setSize > 0 ? 1 : 0;
}
static int SLOT setsType(void* self, int set) {
    modelOf(self, 5);
    return set == 0 ? 1 : 0;
}
static int SLOT setsMemberCount(void* self, int set) {
    return set == 0 ? modelOf(self, 7)->setSize : 0;
}
static int SLOT setsMembers(void* self, int set, int* members) {
    const Model* model = modelOf(self, 8);
    for (int k = 0; set == 0 && k < model->setSize; ++k) members[k] = k + 1;
    return 0;
}
TRAP(sets, 0)
TRAP(sets, 1)
TRAP(sets, 2)
TRAP(sets, 6)
TRAP(sets, 9)
TRAP(sets, 10)
static const AnyFn setsTable[] = {T(sets, 0),
                                  T(sets, 1),
                                  T(sets, 2),
                                  (AnyFn)setsCount,
                                  (AnyFn)setsCountOfType,
                                  (AnyFn)setsType,
                                  T(sets, 6),
                                  (AnyFn)setsMemberCount,
                                  (AnyFn)setsMembers,
                                  T(sets, 9),
                                  T(sets, 10)};

// The host's evaluations for a linear model: residual = activity - right-hand side.
static void evaluateResiduals(Model* model) {
    for (int i = 0; i < model->numEqns; ++i) model->residuals[i] = -model->rhs[i];
    for (int k = 0; k < model->numElements; ++k)
        model->residuals[model->rows[k] - 1] +=
            model->elements[k] * model->values[model->cols[k] - 1];
}

// ---- Client callback objects ---------------------------------------------------------------

typedef struct {
    const AnyFn* table;
    int logPoints;
} Control;

typedef struct {
    const AnyFn* table;
    int messages;
    int lastLength;
    char lastText[128];
} Messages;

static bool SLOT controlOnIteration(Control* self) {
    ++self->logPoints;
    return true;
}
static void SLOT messagesOnMessage(Messages* self, const char* text, int length, int type,
                                   bool parallelMip) {
    (void)type;
    (void)parallelMip;
    ++self->messages;
    self->lastLength = length;
    snprintf(self->lastText, sizeof self->lastText, "%s", text ? text : "");
}
TRAP(control, 0)
TRAP(control, 2)
TRAP(messages, 0)
TRAP(messages, 2)
static const AnyFn controlTable[] = {T(control, 0), (AnyFn)controlOnIteration, T(control, 2)};
static const AnyFn messagesTable[] = {T(messages, 0), (AnyFn)messagesOnMessage, T(messages, 2)};

// ---- The plug-in's exported names ----------------------------------------------------------

typedef int (*EntryFn)(void*, void*, void*, void*, void*, void*);
typedef int(SLOT* InitializeFn)(void*);
typedef bool (*RegisterFn)(void*);

#if defined(_WIN32)
static HMODULE plugin;
static AnyFn symbol(const char* name) {
    return (AnyFn)GetProcAddress(plugin, name);
}
#define INITIALIZE_XPRESS "?InitializeXpress@ZOLXpress@@QAEHXZ"
#define REGISTER_CONTROL "?ZOLXpressRegisterClientCallBack@@YA_NPAVIZOL_XpressControlCallBack@@@Z"
#define REGISTER_MESSAGES \
    "?ZOLXpressRegisterClientMsgCallBack@@YA_NPAVIZOL_XpressControlMsgCallBack@@@Z"
#else
static void* plugin;
static AnyFn symbol(const char* name) {
    AnyFn function;
    void* address = dlsym(plugin, name);
    memcpy(&function, &address, sizeof function);
    return function;
}
#define INITIALIZE_XPRESS "_ZN9ZOLXpress16InitializeXpressEv"
#define REGISTER_CONTROL "_Z31ZOLXpressRegisterClientCallBackP26IZOL_XpressControlCallBack"
#define REGISTER_MESSAGES "_Z34ZOLXpressRegisterClientMsgCallBackP29IZOL_XpressControlMsgCallBack"
#endif

static bool loadPlugin(void) {
#if defined(_WIN32)
    plugin = LoadLibraryA(CORVANE_PLUGIN_PATH);
#else
    plugin = dlopen(CORVANE_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
#endif
    return plugin != NULL;
}

static AnyFn required(const char* name) {
    AnyFn function = symbol(name);
    if (!function) fail(__LINE__, "the plug-in does not export %s", name);
    return function;
}

// ---- Storage the plug-in frees --------------------------------------------------------------

// On Linux the host's global operator new and delete stand in for the C++ runtime's (they are
// looked up across the whole process), so the test sees the plug-in free each solver's storage.
// Under the address sanitizer, whose own versions find a double free, they are left alone.
static void* watched[2];

#if defined(__linux__) && __SIZEOF_SIZE_T__ == 8 && !defined(__SANITIZE_ADDRESS__)
#define CORVANE_COUNTS_FREES 1
static int watchedFrees[2];
#define REPLACES __attribute__((visibility("default")))
static void noteFree(void* storage) {
    for (int k = 0; k < 2; ++k)
        if (storage && storage == watched[k]) ++watchedFrees[k];
}
REPLACES void* _Znwm(size_t size) {
    void* storage = malloc(size ? size : 1);
    if (!storage) abort();
    return storage;
}
REPLACES void _ZdlPv(void* storage) {
    noteFree(storage);
    free(storage);
}
REPLACES void _ZdlPvm(void* storage, size_t size) {
    (void)size;
    noteFree(storage);
    free(storage);
}
#endif

// ---- The run files' folder -----------------------------------------------------------------

static char runDir[512];

static void makeRunDir(void) {
#if defined(_WIN32)
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    snprintf(runDir, sizeof runDir, "%scorvane-c-host-%lu", temp, GetCurrentProcessId());
    _mkdir(runDir);
#else
    snprintf(runDir, sizeof runDir, "/tmp/corvane-c-host-XXXXXX");
    if (!mkdtemp(runDir)) runDir[0] = '\0';
#endif
}

static void removeRunDir(void) {
    char path[1024];
#if defined(_WIN32)
    WIN32_FIND_DATAA entry;
    snprintf(path, sizeof path, "%s\\*", runDir);
    HANDLE search = FindFirstFileA(path, &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            snprintf(path, sizeof path, "%s\\%s", runDir, entry.cFileName);
            DeleteFileA(path);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(runDir);
#else
    DIR* folder = opendir(runDir);
    if (!folder) return;
    for (struct dirent* entry; (entry = readdir(folder));) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        snprintf(path, sizeof path, "%s/%s", runDir, entry->d_name);
        unlink(path);
    }
    closedir(folder);
    rmdir(runDir);
#endif
}

// ---- The solver's slots 2 to 23 ------------------------------------------------------------

typedef int(SLOT* IntFn)(void*);
typedef int(SLOT* ValidFn)(void*, const char*);
typedef void(SLOT* InqIntByIndexFn)(void*, int, char*, int*);
typedef int(SLOT* InqIntFn)(void*, const char*);
typedef void(SLOT* SetIntFn)(void*, const char*, int);
typedef void(SLOT* InqRealByIndexFn)(void*, int, char*, double*);
typedef double(SLOT* InqRealFn)(void*, const char*);
typedef void(SLOT* SetRealFn)(void*, const char*, double);
typedef void(SLOT* InqStringByIndexFn)(void*, int, char*, char*);
typedef const char*(SLOT* InqStringFn)(void*, const char*);
typedef void(SLOT* SetStringFn)(void*, const char*, const char*);
typedef const char*(SLOT* DescriptionFn)(void*, const char*);
typedef void(SLOT* SetPointerFn)(void*, void*);
typedef void(SLOT* VoidFn)(void*);
typedef void(SLOT* SetFlagFn)(void*, int);
typedef void(SLOT* IterateFn)(void*, void*, void*, void*, void*, int*, int*, int*);
typedef void*(SLOT* DestroyFn)(void*, unsigned int);

static void checkInquiries(void* solver) {
    CHECK_STR(SLOT_OF(solver, 2, InqNameFn)(solver), "XPRESS");
    CHECK_INT(SLOT_OF(solver, 3, IntFn)(solver), 28);
    CHECK_INT(SLOT_OF(solver, 4, IntFn)(solver), 12);
    CHECK_INT(SLOT_OF(solver, 5, IntFn)(solver), 1);

    ValidFn valid = SLOT_OF(solver, 6, ValidFn);
    CHECK_INT(valid(solver, "IALG"), 1);
    CHECK_INT(valid(solver, "HEURSEARCHFREQ"), 1);
    CHECK_INT(valid(solver, "ZTOLZE"), 2);
    CHECK_INT(valid(solver, "LOGDIR"), 3);
    CHECK_INT(valid(solver, "ialg"), 0);

    char name[32];
    char text[256];
    int intValue = 0;
    double realValue = 0.0;
    SLOT_OF(solver, 7, InqIntByIndexFn)(solver, 1, name, &intValue);
    CHECK_STR(name, "IALG");
    CHECK_INT(intValue, 1);
    SLOT_OF(solver, 7, InqIntByIndexFn)(solver, 29, name, &intValue);
    CHECK_STR(name, "");
    CHECK_INT(intValue, 99999999);
    CHECK_INT(SLOT_OF(solver, 8, InqIntFn)(solver, "ITRLOG"), 500);
    CHECK_INT(SLOT_OF(solver, 8, InqIntFn)(solver, "ZTOLZE"), 0);
    SLOT_OF(solver, 9, SetIntFn)(solver, "ITRLOG", 1);
    CHECK_INT(SLOT_OF(solver, 8, InqIntFn)(solver, "ITRLOG"), 1);

    SLOT_OF(solver, 10, InqRealByIndexFn)(solver, 12, name, &realValue);
    CHECK_STR(name, "HEURSEARCHEFFORT");
    CHECK_REAL(realValue, 1.0, 0.0);
    SLOT_OF(solver, 10, InqRealByIndexFn)(solver, 0, name, &realValue);
    CHECK_STR(name, "");
    CHECK_REAL(realValue, 1.0e35, 0.0);
    CHECK_REAL(SLOT_OF(solver, 11, InqRealFn)(solver, "OPTCR"), 1.0e-5, 0.0);
    CHECK_REAL(SLOT_OF(solver, 11, InqRealFn)(solver, "IALG"), 1.0e35, 0.0);
    SLOT_OF(solver, 12, SetRealFn)(solver, "OPTCR", 0.0);
    CHECK_REAL(SLOT_OF(solver, 11, InqRealFn)(solver, "OPTCR"), 0.0, 0.0);

    SLOT_OF(solver, 13, InqStringByIndexFn)(solver, 1, name, text);
    CHECK_STR(name, "LOGDIR");
    CHECK_STR(text, "");
    CHECK_STR(SLOT_OF(solver, 14, InqStringFn)(solver, "IALG"), "UNDEFINED");
    SLOT_OF(solver, 15, SetStringFn)(solver, "LOGDIR", runDir);
    CHECK_STR(SLOT_OF(solver, 14, InqStringFn)(solver, "LOGDIR"), runDir);

    CHECK_STR(SLOT_OF(solver, 16, DescriptionFn)(solver, "no such name"),
              "Internal XPRESS Parameter");
    CHECK_INT(SLOT_OF(solver, 21, IntFn)(solver), 1);
    SLOT_OF(solver, 22, SetFlagFn)(solver, 0);
    CHECK_INT(SLOT_OF(solver, 23, IntFn)(solver), 0);
    SLOT_OF(solver, 19, VoidFn)(solver);  // preSolve raises the start flag again
    CHECK_INT(SLOT_OF(solver, 23, IntFn)(solver), 1);
}

// ---- Solves through slot 24 ----------------------------------------------------------------

typedef struct {
    Provider vars, eqns, derivs, obj, sets;
} Providers;

static void attachModel(Providers* providers, Model* model) {
    providers->vars = (Provider){varsTable, model, {{0}}};
    providers->eqns = (Provider){eqnsTable, model, {{0}}};
    providers->derivs = (Provider){derivsTable, model, {{0}}};
    providers->obj = (Provider){objTable, model, {{0}}};
    providers->sets = (Provider){setsTable, model, {{0}}};
}

static void reached(SlotCounts* total, const Provider* provider) {
    for (int slot = 0; slot < kMaxSlots; ++slot)
        total->calls[slot] += provider->reached.calls[slot];
}

// The three calls of a solve, the host evaluating what the request codes ask for.
static int solve(void* solver, Providers* providers, int* result) {
    Model* model = providers->vars.model;
    int request = -1, done = -1;
    IterateFn iterate = SLOT_OF(solver, 24, IterateFn);
    for (int call = 1; call <= 3; ++call) {
        iterate(solver, &providers->vars, &providers->eqns, &providers->derivs, &providers->obj,
                &request, &done, result);
        if (request == 1) evaluateResiduals(model);
        if (request == 7) break;
    }
    CHECK_INT(done, 1);
    return request;
}

static double realItem(rt_cvgsum_t* summary, const char* item) {
    double value = NAN;
    rtocvgsum_get_real_item(summary, item, &value);
    return value;
}

static int intItem(rt_cvgsum_t* summary, const char* item) {
    int value = -1;
    rtocvgsum_get_int_item(summary, item, &value);
    return value;
}

// minimise -3 x1 - 5 x2  s.t.  e1: x1 <= 4,  e2: 2 x2 <= 12,  e3: 3 x1 + 2 x2 <= 18,  x >= 0.
// Optimum -36 at (2, 6); e2 and e3 bind with duals -1.5 and -1, e1 has slack 2 and dual 0.
static void buildLp(Model* model) {
    memset(model, 0, sizeof *model);
    model->numVars = 2;
    model->numEqns = 3;
    const int rows[] = {1, 2, 3, 3};
    const int cols[] = {1, 2, 1, 2};
    const double elements[] = {1.0, 2.0, 3.0, 2.0};
    model->numElements = 4;
    memcpy(model->rows, rows, sizeof rows);
    memcpy(model->cols, cols, sizeof cols);
    memcpy(model->elements, elements, sizeof elements);
    const double rhs[] = {4.0, 12.0, 18.0};
    memcpy(model->rhs, rhs, sizeof rhs);
    for (int i = 0; i < 3; ++i) {
        model->multipliers[i] = 1.0;
        model->eqnTypes[i] = vrim_eqn_word(VRIM_REL_LESS, 1);
    }
    model->objective[0] = -3.0;
    model->objective[1] = -5.0;
    for (int j = 0; j < 2; ++j) {
        model->values[j] = 1.0;
        model->upper[j] = 1.0e20;
        model->varTypes[j] = vrim_var_word(0, 0);
    }
}

// minimise -x1 - 2 x2 - z  s.t.  e1: 2 z <= 7,  e2: x1 + x2 <= 1.5,  0 <= x1, x2 <= 1,
// 0 <= z <= 10 integer, and x1, x2 a set of type 1 (at most one of them non-zero).
// Optimum -5 at (0, 1, 3); without the set and the integrality the relaxation reaches -6.5.
static void buildMip(Model* model) {
    memset(model, 0, sizeof *model);
    model->numVars = 3;
    model->numEqns = 2;
    const int rows[] = {1, 2, 2};
    const int cols[] = {3, 1, 2};
    const double elements[] = {2.0, 1.0, 1.0};
    model->numElements = 3;
    memcpy(model->rows, rows, sizeof rows);
    memcpy(model->cols, cols, sizeof cols);
    memcpy(model->elements, elements, sizeof elements);
    model->rhs[0] = 7.0;
    model->rhs[1] = 1.5;
    for (int i = 0; i < 2; ++i) {
        model->multipliers[i] = 1.0;
        model->eqnTypes[i] = vrim_eqn_word(VRIM_REL_LESS, 1);
    }
    const double objective[] = {-1.0, -2.0, -1.0};
    const double upper[] = {1.0, 1.0, 10.0};
    memcpy(model->objective, objective, sizeof objective);
    memcpy(model->upper, upper, sizeof upper);
    model->varTypes[0] = model->varTypes[1] = vrim_var_word(0, 0);
    model->varTypes[2] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    model->setSize = 2;
}

#if defined(CORVANE_WITH_DOUBLE)
// The double answers with the hand-solved optima; rows count the objective row 0 first.
static void scriptLp(void) {
    xdbl_reset();
    const double x[] = {2.0, 6.0};
    const double slack[] = {0.0, 2.0, 0.0, 0.0};
    const double duals[] = {0.0, 0.0, -1.5, -1.0};
    xdbl_set_lpsol(2, x, NULL, 4, slack, duals);
    xdbl_set_int_attrib(1010, 1);
    xdbl_set_int_attrib(1009, 2);
    xdbl_set_dbl_attrib(2001, -36.0);
    xdbl_fire_lplog("XPRSminim", 0, 2);
    xdbl_fire_message("XPRSminim", 0, "Optimal solution found", 1);
}

static void scriptMip(void) {
    xdbl_reset();
    const double x[] = {0.0, 1.0, 3.0};
    const double slack[] = {0.0, 1.0, 0.5};
    xdbl_set_mipsol(3, x, 3, slack);
    xdbl_set_lpsol(3, x, NULL, 3, slack, NULL);
    xdbl_set_int_attrib(1010, 1);
    xdbl_set_int_attrib(1011, 6);
    xdbl_set_int_attrib(1009, 3);
    xdbl_set_dbl_attrib(2003, -5.0);
    xdbl_set_dbl_attrib(2001, -6.5);
}
#else
static void scriptLp(void) {}
static void scriptMip(void) {}
#endif

static void checkSolves(void* solver, Control* control, Messages* messages) {
    rt_cvgsum_t* summary = rtocvgsum_create();
    SLOT_OF(solver, 17, SetPointerFn)(solver, summary);
    SLOT_OF(solver, 9, SetIntFn)(solver, "IFPRES", 0);  // so the tiny LP takes iterations
    SLOT_OF(solver, 9, SetIntFn)(solver, "IVSCAL", 0);

    Model model;
    Providers providers;
    SlotCounts vars = {{0}}, eqns = {{0}}, derivs = {{0}}, obj = {{0}}, sets = {{0}};
    int result = -1;

    buildLp(&model);
    attachModel(&providers, &model);
    SLOT_OF(solver, 18, SetPointerFn)(solver, &providers.sets);
    scriptLp();
    SLOT_OF(solver, 19, VoidFn)(solver);
    CHECK_INT(solve(solver, &providers, &result), 7);
    SLOT_OF(solver, 20, VoidFn)(solver);
    CHECK_INT(result, 0);
    CHECK_INT(intItem(summary, "STATUS"), 1);
    CHECK_REAL(realItem(summary, "FINAL_OBJ"), -36.0, 1e-9);
    CHECK_REAL(model.values[0], 2.0, 1e-9);
    CHECK_REAL(model.values[1], 6.0, 1e-9);
    CHECK_REAL(model.duals[0], 0.0, 1e-9);
    CHECK_REAL(model.duals[1], -1.5, 1e-9);
    CHECK_REAL(model.duals[2], -1.0, 1e-9);
    CHECK(control->logPoints > 0);
    CHECK(messages->messages > 0);
    CHECK_INT(messages->lastLength, (int)strlen(messages->lastText));
    reached(&vars, &providers.vars);
    reached(&eqns, &providers.eqns);
    reached(&derivs, &providers.derivs);
    reached(&obj, &providers.obj);
    reached(&sets, &providers.sets);

    buildMip(&model);
    attachModel(&providers, &model);
    SLOT_OF(solver, 18, SetPointerFn)(solver, &providers.sets);
    scriptMip();
    rtocvgsum_clear(summary);
    SLOT_OF(solver, 19, VoidFn)(solver);
    CHECK_INT(solve(solver, &providers, &result), 7);
    SLOT_OF(solver, 20, VoidFn)(solver);
    CHECK_INT(result, 0);
    CHECK_INT(intItem(summary, "STATUS"), 1);
    CHECK_REAL(realItem(summary, "FINAL_OBJ"), -5.0, 1e-6);
    CHECK_REAL(model.values[0], 0.0, 1e-6);
    CHECK_REAL(model.values[1], 1.0, 1e-6);
    CHECK_REAL(model.values[2], 3.0, 1e-6);
    reached(&vars, &providers.vars);
    reached(&eqns, &providers.eqns);
    reached(&derivs, &providers.derivs);
    reached(&obj, &providers.obj);
    reached(&sets, &providers.sets);

    // Every slot the plug-in uses was reached by its number (the traps guard the others).
    const int varsSlots[] = {1, 2, 3, 4, 7, 8, 10, 12};
    const int eqnsSlots[] = {1, 2, 3, 4, 5, 7, 8};
    const int derivsSlots[] = {1, 2, 3, 4};
    const int objSlots[] = {1, 2, 3, 5, 8};
    const int setsSlots[] = {3, 4, 5, 7, 8};
#define CHECK_REACHED(counts, slots)                            \
    for (size_t k = 0; k < sizeof slots / sizeof slots[0]; ++k) \
        if (counts.calls[slots[k]] == 0)                        \
            fail(__LINE__, "%s slot %d was never called", #counts, slots[k]);
    CHECK_REACHED(vars, varsSlots)
    CHECK_REACHED(eqns, eqnsSlots)
    CHECK_REACHED(derivs, derivsSlots)
    CHECK_REACHED(obj, objSlots)
    CHECK_REACHED(sets, setsSlots)
    rtocvgsum_destroy(summary);
}

// ---- Native names ---------------------------------------------------------------------------

#if defined(_WIN32)
typedef void*(SLOT* ConstructFn)(void*);

// The constructors under the native compiler's names return the storage they construct on.
static void checkNativeConstructors(void) {
    static _Alignas(16) unsigned char storage[16384];
    memset(storage, 0, sizeof storage);
    ConstructFn construct = (ConstructFn)required("??0ZOLXpress@@QAE@XZ");
    if (!construct) return;
    void* solver = construct(storage);
    CHECK(solver == (void*)storage);
    CHECK_STR(SLOT_OF(solver, 2, InqNameFn)(solver), "XPRESS");
    // Flags 0: destroyed, the storage (not the plug-in's) left alone.
    CHECK(SLOT_OF(solver, 0, DestroyFn)(solver, 0) == (void*)storage);

    ConstructFn constructControl = (ConstructFn)required("??0IZOL_XpressControlCallBack@@QAE@XZ");
    if (!constructControl) return;
    Control control = {NULL, 0};
    CHECK(constructControl(&control) == (void*)&control);
    CHECK(control.table != NULL);  // the interface's own table
}
#endif

// ---- The run -------------------------------------------------------------------------------

int main(void) {
    makeRunDir();
    if (!loadPlugin()) {
        fprintf(stderr, "cannot load %s\n", CORVANE_PLUGIN_PATH);
        return 1;
    }
    EntryFn init = (EntryFn)required("zoldll_corvane_init");
    EntryFn unload = (EntryFn)required("zoldll_corvane_unload");
    InitializeFn initializeXpress = (InitializeFn)required(INITIALIZE_XPRESS);
    RegisterFn registerControl = (RegisterFn)required(REGISTER_CONTROL);
    RegisterFn registerMessages = (RegisterFn)required(REGISTER_MESSAGES);
    if (failures) return 1;

    Library first = {libraryTable, {NULL}, 0, {{0}}};
    CHECK_INT(init(NULL, NULL, NULL, NULL, NULL, &first), 0);
    CHECK_INT(first.reached.calls[1], 1);  // addSolver
    CHECK_INT(first.count, 1);
    if (first.count != 1) return 1;
    void* solver = first.solvers[0];
    watched[0] = solver;

    checkInquiries(solver);

    Control control = {controlTable, 0};
    Messages messages = {messagesTable, 0, 0, ""};
    CHECK(registerControl(&control));
    CHECK(registerMessages(&messages));
    CHECK_INT(initializeXpress(solver), 0);
    checkSolves(solver, &control, &messages);

#if defined(_WIN32)
    checkNativeConstructors();
#endif

    // A second solver, destroyed by the host through slot 0 with flags 1.
    Library second = {libraryTable, {NULL}, 0, {{0}}};
    CHECK_INT(init(NULL, NULL, NULL, NULL, NULL, &second), 0);
    CHECK_INT(second.count, 1);
    if (second.count == 1) {
        void* other = second.solvers[0];
        watched[1] = other;
        second.count = 0;
        CHECK(SLOT_OF(other, 0, DestroyFn)(other, 1) == other);
    }
    // Nothing left to remove: the library is asked, and the other solver is still loaded.
    CHECK_INT(unload(NULL, NULL, NULL, NULL, NULL, &second), 1);
    CHECK_INT(second.reached.calls[3], 1);
    CHECK_INT(second.reached.calls[2], 0);

    // The first solver: found, removed and released (slot 1) by the plug-in.
    CHECK_INT(unload(NULL, NULL, NULL, NULL, NULL, &first), 0);
    CHECK_INT(first.reached.calls[3], 1);
    CHECK_INT(first.reached.calls[2], 1);
    CHECK_INT(first.count, 0);
#if defined(CORVANE_COUNTS_FREES)
    CHECK_INT(watchedFrees[0], 1);
    CHECK_INT(watchedFrees[1], 1);
#endif

    if (trapsCalled[0])
        fail(__LINE__, "slots the plug-in was not given were called:%s", trapsCalled);
    removeRunDir();
    if (failures) {
        fprintf(stderr, "%d check(s) failed\n", failures);
        return 1;
    }
    printf("every slot as numbered\n");
    return 0;
}
