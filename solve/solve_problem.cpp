// The third call of a solve, step by step. Every way out of a solve, finished, refused, failed or
// interrupted, goes through endSolve, which releases the solve's resources and ends the dialogue.
#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/solve_context.h"
#include "solver/optimizer_callbacks.h"
#include "solver/run_arrays.h"
#include "solver/zol_xpress.h"

using corvane::DataError;
using corvane::SolveContext;
using corvane::SolveEnding;

void ZOLXpress::solveProblem(SolveContext& context) {
    // Each solve starts uninterrupted, whatever ended the one before. The result code is the
    // host's until a step of the solve has an outcome to write into it.
    interruptRequested = false;
    if (!checkHostData(context)) return;
    if (!createProblem(context)) return;
    if (!assembleProblem(context)) return;
    loadProblem(context);
    readSavedBasis(context);
    saveProblemFile();
    optimizeProblem(context);
    if (!interruptRequested) retrieveSolutionOrFailure(context);
    // The fixed re-solve of a MIP runs inside the retrieval, and a client may stop it too: a
    // stopped solve is never reported as solved.
    if (interruptRequested) {
        endSolve(context, SolveEnding::Interrupted);
        return;
    }
    interpretStatus(context);
    writeBackSolution(context);
    endSolve(context, SolveEnding::Finished);
}

// The counts the third call brings, the Jacobian's indices, the bounds and the sets are read and
// checked before anything is allocated with them.
bool ZOLXpress::checkHostData(SolveContext& context) {
    numJacElements = context.derivs ? context.derivs->inqNumElements() : 0;
    int status = 0;
    context.obj->prepare(&status);
    numObjTerms = context.obj->inqNumTerms();
    numEntities = 0;
    numQuadTerms = 0;
    isQuadratic = false;
    DataError error = checkCounts();
    if (!error.found) error = checkJacobian(context.derivs);
    if (!error.found) error = checkBounds(context.vars);
    if (!error.found) error = readSets();
    if (error.found) return failOnData(context, error);
    return true;
}

// The arrays the assembly fills, the optimizer problem with its callbacks, the names and the run
// log, in the order the optimizer needs them: the names are packed to the length the new problem
// allows, and the log is told to the problem once it exists.
bool ZOLXpress::createProblem(SolveContext& context) {
    solveAsMip = false;
    relaxMipRun = relaxMip == 1;
    allocateProblemArrays(countEntityCandidates(context.vars));
    if (!createOptimizerProblem(context)) return false;
    packNames(context.vars, context.eqns);
    connectMessages();
    openLog(context);
    return true;
}

// Rows, columns and entities, the decision whether the problem is a MIP, the parameters as
// controls, the objective and the matrix.
bool ZOLXpress::assembleProblem(SolveContext& context) {
    assembleRows(context.eqns);
    assembleColumns(context.vars);
    solveAsMip = (numEntities > 0 || numSets > 0) && fixMip == 0;
    if (applyParameters != 0) SetSolverParametersNew();
    const DataError error = assembleObjective(context);
    if (error.found) return failOnData(context, error);
    XPRSCompressJacobian(context.derivs, context.eqns);
    releaseObjectiveEntries();
    return true;
}

// The load as QP, MIP or LP, and the names. A failed load is reported and the solve goes on: the
// optimizer then answers for the problem it holds.
void ZOLXpress::loadProblem(SolveContext& context) {
    const bool entitiesDropped = isQuadratic && solveAsMip;
    if (entitiesDropped) solveAsMip = false;
    context.rc = loadAsQpMipOrLp();
    releaseLoadedMatrix();
    allocateResultArrays();
    moveLogToEnd();
    if (context.rc != 0) reportLoadFailure(context.resultCode);
    if (entitiesDropped) reportDroppedEntities();
    corvane::releaseRunArray(setType);
    context.rc = addNames();
}

// The MIP warm start and the optimization, then the slow-basis check and the optimizer's own
// explanation of a failure.
void ZOLXpress::optimizeProblem(SolveContext& context) {
    warmStartMip();
    optimize(context);
    moveLogToEnd();
    checkBasisRestorationTime(context.timing);
    if (context.rc != 0) logLastError();
}

void ZOLXpress::retrieveSolutionOrFailure(SolveContext& context) {
    if (context.rc == 0) {
        retrieveSolution(context);
        return;
    }
    const int code = optimizerErrorCode();
    *context.resultCode = corvane::result::kNoOptimum;
    setStatus(corvane::status::kFailed);
    logLine(" *** Error in XPRESS solver during optimization. Error code ", code);
}

void ZOLXpress::interpretStatus(SolveContext& context) {
    if (solveAsMip) {
        interpretMipStatus(context);
    } else {
        interpretLpStatus(context);
    }
}

// A creation that failed leaves nothing the optimizer could be called with.
bool ZOLXpress::createOptimizerProblem(SolveContext& context) {
    problemHandle = nullptr;
    const int rc = XPRScreateprob(&problemHandle);
    if (rc == 0 && problemHandle) {
        setCurrentSolver(this);
        XPRSsetcblplog(problemHandle, corvane::lpLogCallback, nullptr);
        return true;
    }
    // A failed creation may still have left a handle: it is released, never used.
    if (problemHandle) XPRSdestroyprob(problemHandle);
    problemHandle = nullptr;
    openLog(context);
    logLine(" *** Error creating XPRESS problem. Error code ", rc);
    endSolve(context, SolveEnding::Failed);
    return false;
}

void ZOLXpress::connectMessages() {
    XPRSsetintcontrol(problemHandle, XPRS_CONTROL_8137, 1);
    XPRSaddcbmessage(problemHandle, corvane::messageCallback, nullptr, 0);
}

void ZOLXpress::openLog(SolveContext& context) {
    if (context.logOpened) return;
    context.names = openRunLog();
    context.logOpened = true;
}

// Data the host reported that cannot be assembled is never loaded.
bool ZOLXpress::failOnData(SolveContext& context, const DataError& error) {
    openLog(context);
    logLine(" *** Error in problem data for XPRESS solver. ", error.what);
    endSolve(context, SolveEnding::Refused);
    return false;
}

// A solve that ends without an answer hands the host its start values back; an interrupted one
// also forgets the first start point, so that no later warm start offers it.
void ZOLXpress::endSolve(SolveContext& context, SolveEnding ending) {
    const bool optimized = ending == SolveEnding::Finished || ending == SolveEnding::Interrupted;
    if (optimized) *context.solveDone = 1;
    if (ending != SolveEnding::Finished) {
        setStatus(corvane::status::kFailed);
        if (!optimized) *context.resultCode = corvane::result::kNotLoaded;
        returnStartValues(context);
    }
    CleanUp();
    if (ending == SolveEnding::Interrupted) {
        corvane::releaseRunArray(firstStartPoint);
        firstStartPointVars = 0;
    }
    iteratePhase = 1;
    *context.requestCode = corvane::request::kFinished;
}
