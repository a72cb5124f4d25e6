// The double's own interface: scripting and reading back the recording.
#include "state.hpp"

using namespace xdouble;

namespace {

constexpr int kRefused = -1;

// Runs f(State&) under the lock; an allocation failure refuses the request.
template <typename R, typename F>
R locked(R onFailure, F&& f) noexcept {
    try {
        State& state = State::instance();
        ScopedLock lock(state.mutex);
        return f(state);
    } catch (...) {
        return onFailure;
    }
}

template <typename F>
void locked(F&& f) noexcept {
    locked(0, [&](State& state) {
        f(state);
        return 0;
    });
}

// Scripting keyed by a function name: f(State&, Fn) runs only for a known name.
template <typename F>
int scriptFor(const char* function, F&& f) noexcept {
    const std::optional<Fn> fn = functionNamed(function);
    if (!fn) return kRefused;
    return locked(kRefused, [&](State& state) {
        f(state, *fn);
        return 0;
    });
}

int scriptFiring(const char* function, int occurrence, Firing firing) noexcept {
    if (occurrence < 0) return kRefused;
    return scriptFor(function, [&](State& state, Fn fn) {
        firing.fn = fn;
        firing.occurrence = occurrence;
        state.script.firings.push_back(std::move(firing));
    });
}

int scriptAttribChange(const char* function, int occurrence, AttribChange change) noexcept {
    if (occurrence < 0) return kRefused;
    return scriptFor(function, [&](State& state, Fn fn) {
        change.fn = fn;
        change.occurrence = occurrence;
        state.script.attribChanges.push_back(change);
    });
}

// f(const CallRecord&) for a recorded call, else the fallback.
template <typename R, typename F>
R withCall(int index, R missing, F&& f) noexcept {
    return locked(missing, [&](State& state) {
        const CallRecord* call = state.log.at(index);
        return call ? f(*call) : missing;
    });
}

template <typename T, typename List>
T element(const List& list, int k, T missing) {
    return k >= 0 && k < static_cast<int>(list.size()) ? list[k] : missing;
}

template <typename T>
int arrayArg(int index, int k, const std::vector<std::optional<std::vector<T>>> CallRecord::*kind,
             const T** data) noexcept {
    if (data) *data = nullptr;
    return withCall(index, -1, [&](const CallRecord& call) {
        const auto& arrays = call.*kind;
        if (k < 0 || k >= static_cast<int>(arrays.size()) || !arrays[k]) return -1;
        if (data) *data = arrays[k]->data();
        return static_cast<int>(arrays[k]->size());
    });
}

bool anyNegative(std::initializer_list<int> counts) {
    for (int n : counts) {
        if (n < 0) return true;
    }
    return false;
}

}  // namespace

extern "C" {

XDBL_API void xdbl_reset(void) {
    locked([](State& state) { state.reset(); });
}

XDBL_API int xdbl_set_return(const char* function, int code) {
    return scriptFor(function,
                     [&](State& state, Fn fn) { state.script.returnAlways[slot(fn)] = code; });
}

XDBL_API int xdbl_set_return_at(const char* function, int occurrence, int code) {
    if (occurrence < 1) return kRefused;
    return scriptFor(function, [&](State& state, Fn fn) {
        std::map<int, int>& at = state.script.returnAt[slot(fn)];
        if (code == 0) {
            at.erase(occurrence);
        } else {
            at[occurrence] = code;
        }
    });
}

XDBL_API void xdbl_refuse_control(int control) {
    locked([&](State& state) { state.script.refusedControls.insert(control); });
}

XDBL_API void xdbl_fill_handle_on_failure(int fill) {
    locked([&](State& state) { state.script.fillHandleOnFailure = fill != 0; });
}

XDBL_API void xdbl_set_int_attrib(int attrib, int value) {
    locked([&](State& state) { state.script.intAttribs[attrib] = value; });
}

XDBL_API void xdbl_set_dbl_attrib(int attrib, double value) {
    locked([&](State& state) { state.script.dblAttribs[attrib] = value; });
}

XDBL_API int xdbl_on_call_set_int_attrib(const char* function, int occurrence, int attrib,
                                         int value) {
    AttribChange change;
    change.attrib = attrib;
    change.intValue = value;
    return scriptAttribChange(function, occurrence, change);
}

XDBL_API int xdbl_on_call_set_dbl_attrib(const char* function, int occurrence, int attrib,
                                         double value) {
    AttribChange change;
    change.attrib = attrib;
    change.dblValue = value;
    return scriptAttribChange(function, occurrence, change);
}

XDBL_API void xdbl_set_int_control_answer(int control, int value) {
    locked([&](State& state) { state.script.intControlAnswers[control] = value; });
}

XDBL_API void xdbl_set_version(const char* text) {
    locked([&](State& state) { state.script.version = text ? text : kDefaultVersion; });
}

XDBL_API void xdbl_set_last_error(const char* text) {
    locked([&](State& state) {
        state.script.scriptedLastError =
            text ? std::optional<std::string>(text) : std::optional<std::string>();
    });
}

XDBL_API int xdbl_set_lpsol(int ncols, const double* x, const double* dj, int nrows,
                            const double* slack, const double* dual) {
    if (anyNegative({ncols, nrows})) return kRefused;
    return locked(kRefused, [&](State& state) {
        state.script.lpsol = LpSolution{valuesOrZeros(x, ncols), valuesOrZeros(dj, ncols),
                                        valuesOrZeros(slack, nrows), valuesOrZeros(dual, nrows)};
        return 0;
    });
}

XDBL_API int xdbl_set_mipsol(int ncols, const double* x, int nrows, const double* slack) {
    if (anyNegative({ncols, nrows})) return kRefused;
    return locked(kRefused, [&](State& state) {
        state.script.mipsol = MipSolution{valuesOrZeros(x, ncols), valuesOrZeros(slack, nrows)};
        return 0;
    });
}

XDBL_API int xdbl_set_basis(int nrows, const int* rowstat, int ncols, const int* colstat) {
    if (anyNegative({nrows, ncols})) return kRefused;
    return locked(kRefused, [&](State& state) {
        state.script.basis = Basis{valuesOrZeros(rowstat, nrows), valuesOrZeros(colstat, ncols)};
        return 0;
    });
}

XDBL_API void xdbl_set_unbvec(int index) {
    locked([&](State& state) { state.script.unbvec = index; });
}

XDBL_API int xdbl_set_scaledinfeas(int npv, const int* colsP, int nps, const int* rowsP, int nds,
                                   const int* rowsD, int ndv, const int* colsD) {
    if (anyNegative({npv, nps, nds, ndv})) return kRefused;
    return locked(kRefused, [&](State& state) {
        state.script.infeasibilities =
            ScaledInfeasibilities{valuesOrZeros(colsP, npv), valuesOrZeros(rowsP, nps),
                                  valuesOrZeros(rowsD, nds), valuesOrZeros(colsD, ndv)};
        return 0;
    });
}

XDBL_API int xdbl_fire_lplog(const char* function, int occurrence, int times) {
    if (times < 0) return kRefused;
    Firing firing;
    firing.kind = Firing::Kind::LpLog;
    firing.times = times;
    return scriptFiring(function, occurrence, std::move(firing));
}

XDBL_API int xdbl_fire_message(const char* function, int occurrence, const char* text, int type) {
    if (!text) return kRefused;
    try {
        Firing firing;
        firing.kind = Firing::Kind::Message;
        firing.text = text;
        firing.type = type;
        return scriptFiring(function, occurrence, std::move(firing));
    } catch (...) {
        return kRefused;
    }
}

XDBL_API int xdbl_init_count(void) {
    return locked(0, [](State& state) { return state.initCount; });
}

XDBL_API int xdbl_problems_alive(void) {
    return locked(0, [](State& state) { return state.problems.alive(); });
}

XDBL_API int xdbl_problems_created(void) {
    return locked(0, [](State& state) { return state.problemsCreated; });
}

XDBL_API int xdbl_lplog_results(int* results, int max) {
    return locked(0, [&](State& state) {
        const int total = static_cast<int>(state.lplogResults.size());
        for (int i = 0; results && i < max && i < total; ++i) results[i] = state.lplogResults[i];
        return total;
    });
}

XDBL_API int xdbl_call_count(const char* function) {
    const std::optional<Fn> fn = functionNamed(function);
    if (function && !fn) return -1;
    return locked(-1, [&](State& state) { return fn ? state.log.count(*fn) : state.log.count(); });
}

XDBL_API int xdbl_call_index(const char* function, int occurrence) {
    const std::optional<Fn> fn = functionNamed(function);
    if (function && !fn) return -1;
    return locked(-1, [&](State& state) {
        return fn ? state.log.indexOf(*fn, occurrence) : state.log.indexOf(occurrence);
    });
}

XDBL_API const char* xdbl_call_name(int index) {
    return withCall(index, static_cast<const char*>(nullptr),
                    [](const CallRecord& call) { return functionName(call.fn); });
}

XDBL_API int xdbl_call_result(int index) {
    return withCall(index, XDBL_NO_RESULT, [](const CallRecord& call) { return call.result; });
}

XDBL_API double xdbl_call_seconds(int index) {
    return withCall(index, -1.0, [](const CallRecord& call) { return call.seconds; });
}

XDBL_API int xdbl_arg_count(int index, int kind) {
    return withCall(index, -1, [&](const CallRecord& call) { return call.count(kind); });
}

XDBL_API int xdbl_arg_int(int index, int k) {
    return withCall(index, 0, [&](const CallRecord& call) { return element(call.ints, k, 0); });
}

XDBL_API double xdbl_arg_double(int index, int k) {
    return withCall(index, 0.0,
                    [&](const CallRecord& call) { return element(call.doubles, k, 0.0); });
}

XDBL_API const char* xdbl_arg_string(int index, int k) {
    return withCall(index, static_cast<const char*>(nullptr),
                    [&](const CallRecord& call) -> const char* {
                        if (k < 0 || k >= static_cast<int>(call.strings.size())) return nullptr;
                        return call.strings[k] ? call.strings[k]->c_str() : nullptr;
                    });
}

XDBL_API const void* xdbl_arg_pointer(int index, int k) {
    return withCall(index, static_cast<const void*>(nullptr), [&](const CallRecord& call) {
        return element(call.pointers, k, static_cast<const void*>(nullptr));
    });
}

XDBL_API int xdbl_arg_int_array(int index, int k, const int** data) {
    return arrayArg(index, k, &CallRecord::intArrays, data);
}

XDBL_API int xdbl_arg_double_array(int index, int k, const double** data) {
    return arrayArg(index, k, &CallRecord::doubleArrays, data);
}

XDBL_API int xdbl_arg_char_array(int index, int k, const char** data) {
    if (data) *data = nullptr;
    return withCall(index, -1, [&](const CallRecord& call) {
        const auto& arrays = call.charArrays;
        if (k < 0 || k >= static_cast<int>(arrays.size()) || !arrays[k]) return -1;
        if (data) *data = arrays[k]->data();
        return static_cast<int>(arrays[k]->size());
    });
}

}  // extern "C"
