// Construction, per-solve clean-up, destruction and the start of the optimizer library.
#include <cstring>

#include "host/vrim.h"
#include "solver/zol_xpress.h"

namespace {

template <typename T>
void freeRunArray(T*& array) {
    delete[] array;
    array = nullptr;
}

}  // namespace

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
}

ZOLXpress::~ZOLXpress() {
    CleanUp();
    freeRunArray(firstStartPoint);
    std::vector<int>().swap(setCols);
    std::vector<int>().swap(setMembers);
}

void ZOLXpress::CleanUp() {
    freeRunArray(colStart);
    freeRunArray(rowIndex);
    freeRunArray(entityCols);
    freeRunArray(matValue);
    freeRunArray(objCoef);
    freeRunArray(solution);
    freeRunArray(colLower);
    freeRunArray(colUpper);
    freeRunArray(rhs);
    freeRunArray(rowDual);
    freeRunArray(rowSlack);
    freeRunArray(startPoint);
    freeRunArray(colScale);
    freeRunArray(entityType);
    freeRunArray(rowType);
    freeRunArray(setType);
    freeRunArray(colNames);
    freeRunArray(rowNames);
    freeRunArray(objVarIndex);
    freeRunArray(setStart);
    freeRunArray(setRef);
    freeRunArray(objFirstDeriv);
    freeRunArray(objSecondDeriv);
    freeRunArray(colBasis);
    freeRunArray(rowBasis);
    freeRunArray(entityLimit);
    // The quadratic arrays exist only while there are quadratic terms; deleting null is harmless,
    // so they are freed unconditionally and nothing leaks if the count was changed meanwhile.
    freeRunArray(quadCol1);
    freeRunArray(quadCol2);
    freeRunArray(quadCoef);
    if (problemHandle) {
        XPRSdestroyprob(problemHandle);
        problemHandle = nullptr;
    }
}

int ZOLXpress::InitializeXpress() {
    XPRSfree();
    if (XPRSinit(nullptr) == 0) return 0;
    rtocvgsum_set_int_item(convergenceSummary, "STATUS", 8);
    return -3;
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
