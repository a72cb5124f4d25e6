// Construction, per-solve clean-up, destruction and the start of the optimizer library.
#include <cstring>
#include <locale>

#include "host/host_codes.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

using corvane::releaseRunArray;

// The host zero-fills the storage before construction; every member is set here all the same so
// an object made any other way starts in the same state.
ZOLXpress::ZOLXpress()
    : RTMILSolver("XPRESS"),
      numVars(0),
      numRows(0),
      numJacElements(0),
      numObjTerms(0),
      numEntities(0),
      numSets(0),
      iteratePhase(1),
      numQuadTerms(0),
      solveAsMip(false),
      isQuadratic(false),
      relaxMipRun(false),
      mipWarmStartMode(1),
      warmStartPending(true),
      keepFirstStartPoint(true),
      iterationCount(0),
      objectiveValue(0.0),
      interruptRequested(false),
      passNames(true),
      basisIgnored(false),
      runCounter(-1),
      problemHandle(nullptr),
      colStart(nullptr),
      rowIndex(nullptr),
      entityCols(nullptr),
      quadCol1(nullptr),
      quadCol2(nullptr),
      colBasis(nullptr),
      rowBasis(nullptr),
      matValue(nullptr),
      objCoef(nullptr),
      solution(nullptr),
      rhs(nullptr),
      rowDual(nullptr),
      rowSlack(nullptr),
      startPoint(nullptr),
      colScale(nullptr),
      firstStartPoint(nullptr),
      colLower(nullptr),
      colUpper(nullptr),
      quadCoef(nullptr),
      entityLimit(nullptr),
      entityType(nullptr),
      rowType(nullptr),
      colNames(nullptr),
      rowNames(nullptr),
      setType(nullptr),
      objVarIndex(nullptr),
      setStart(nullptr),
      setRef(nullptr),
      objFirstDeriv(nullptr),
      objSecondDeriv(nullptr),
      convergenceSummary(nullptr) {
    std::strcpy(parameterDescription, "Internal XPRESS Parameter");
    InitDefSolverParameters();
    // Run files are read by programs: their numbers never follow the locale the host has set.
    logStream.imbue(std::locale::classic());
    infeasibilityStream.imbue(std::locale::classic());
}

ZOLXpress::~ZOLXpress() {
    CleanUp();
    releaseRunArray(firstStartPoint);
    std::vector<int>().swap(setCols);
    std::vector<int>().swap(setMembers);
}

// The host allocated the storage with the global operator new (zoldll_corvane_init does so on its
// behalf), so it is freed with the global operator delete.
void* ZOLXpress::deletingDestructor(unsigned int flags) {
    return corvane::destroyObject(this, flags);
}

void ZOLXpress::CleanUp() {
    releaseRunArray(colStart);
    releaseRunArray(rowIndex);
    releaseRunArray(entityCols);
    releaseRunArray(matValue);
    releaseRunArray(objCoef);
    releaseRunArray(solution);
    releaseRunArray(colLower);
    releaseRunArray(colUpper);
    releaseRunArray(rhs);
    releaseRunArray(rowDual);
    releaseRunArray(rowSlack);
    releaseRunArray(startPoint);
    releaseRunArray(colScale);
    releaseRunArray(entityType);
    releaseRunArray(rowType);
    releaseRunArray(setType);
    releaseRunArray(colNames);
    releaseRunArray(rowNames);
    releaseRunArray(objVarIndex);
    releaseRunArray(setStart);
    releaseRunArray(setRef);
    releaseRunArray(objFirstDeriv);
    releaseRunArray(objSecondDeriv);
    releaseRunArray(colBasis);
    releaseRunArray(rowBasis);
    releaseRunArray(entityLimit);
    // The quadratic arrays exist only while there are quadratic terms; deleting null is harmless,
    // so they are freed unconditionally and nothing leaks if the count was changed meanwhile.
    releaseRunArray(quadCol1);
    releaseRunArray(quadCol2);
    releaseRunArray(quadCoef);
    // The arrays of the first two calls are gone: a later call must not trust their lengths.
    startPointVars = 0;
    rhsRows = 0;
    if (problemHandle) {
        XPRSdestroyprob(problemHandle);
        problemHandle = nullptr;
    }
}

int ZOLXpress::InitializeXpress() {
    XPRSfree();
    if (XPRSinit(nullptr) == 0) return 0;
    setStatus(corvane::status::kFailed);
    return corvane::kOptimizerNotStarted;
}

const char* ZOLXpress::Description(const char*) const {
    return parameterDescription;
}

void ZOLXpress::setConvergenceSummary(rt_cvgsum_t* summary) {
    convergenceSummary = summary;
}

void ZOLXpress::preSolve() {
    setStartFlag(1);
}

void ZOLXpress::postSolve() {}

int ZOLXpress::writesIterationHistory() const {
    return 1;
}
