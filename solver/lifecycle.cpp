// Construction, per-solve clean-up, destruction and the start of the optimizer library.
#include <cstring>
#include <locale>
#include <tuple>

#include "host/host_codes.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

using corvane::releaseRunArray;

namespace {

// Every run array, the list CleanUp walks: an array added to the class is added here. The
// quadratic arrays exist only while there are quadratic terms, and are released all the same, so
// nothing leaks if the count was changed meanwhile. `firstStartPoint` is not a run array: it is
// kept from the first solve on.
constexpr auto kRunArrays = std::make_tuple(
    &ZOLXpress::colStart, &ZOLXpress::rowIndex, &ZOLXpress::entityCols, &ZOLXpress::quadCol1,
    &ZOLXpress::quadCol2, &ZOLXpress::colBasis, &ZOLXpress::rowBasis, &ZOLXpress::matValue,
    &ZOLXpress::objCoef, &ZOLXpress::solution, &ZOLXpress::rhs, &ZOLXpress::rowDual,
    &ZOLXpress::rowSlack, &ZOLXpress::startPoint, &ZOLXpress::colScale, &ZOLXpress::colLower,
    &ZOLXpress::colUpper, &ZOLXpress::quadCoef, &ZOLXpress::entityLimit, &ZOLXpress::entityType,
    &ZOLXpress::rowType, &ZOLXpress::colNames, &ZOLXpress::rowNames, &ZOLXpress::setType,
    &ZOLXpress::objVarIndex, &ZOLXpress::setStart, &ZOLXpress::setRef, &ZOLXpress::objFirstDeriv,
    &ZOLXpress::objSecondDeriv);

}  // namespace

// The host zero-fills the storage before construction; every member has its value all the same
// (the class gives each its initial value) so an object made any other way starts in the same
// state.
ZOLXpress::ZOLXpress() : RTMILSolver("XPRESS") {
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
    std::apply([this](auto... array) { (releaseRunArray(this->*array), ...); }, kRunArrays);
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
