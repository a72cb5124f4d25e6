// The third call of a solve: the optimizer problem is created, assembled, loaded, optimized and
// answered, and every way out of the call releases the solve's resources.
#include "host/host_codes.h"
#include "host/providers.h"
#include "host/vrim.h"
#include "solver/run_arrays.h"
#include "solve/solve_context.h"
#include "solver/optimizer_callbacks.h"
#include "solver/zol_xpress.h"

using corvane::DataError;
using corvane::SolveContext;

void ZOLXpress::solveProblem(VarProvider* vars, EqnProvider* eqns, DerivProvider* derivs,
                             ObjProvider* obj, int* requestCode, int* solveDone, int* resultCode) {
    SolveContext context{vars, eqns, derivs, obj, requestCode, solveDone, resultCode};
    // Each solve starts uninterrupted, whatever ended the one before. The result code is the
    // host's until a stage of the solve has an outcome to write into it.
    interruptRequested = false;
    if (!assemble(context)) return;
    runOptimization(context);
}

bool ZOLXpress::assemble(SolveContext& context) {
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

    solveAsMip = false;
    relaxMipRun = relaxMip == 1;
    allocateProblemArrays(countEntityCandidates(context.vars));
    if (!createProblem(context)) return false;
    packNames(context.vars, context.eqns);
    connectMessages();
    openLog(context);

    assembleRows(context.eqns);
    assembleColumns(context.vars);
    solveAsMip = (numEntities > 0 || numSets > 0) && fixMip == 0;
    if (applyParameters != 0) SetSolverParametersNew();
    error = assembleObjective(context);
    if (error.found) return failOnData(context, error);
    XPRSCompressJacobian(context.derivs, context.eqns);
    releaseObjectiveEntries();

    const bool entitiesDropped = isQuadratic && solveAsMip;
    if (entitiesDropped) solveAsMip = false;
    context.rc = loadProblem();
    releaseLoadedMatrix();
    allocateResultArrays();
    moveLogToEnd();
    if (context.rc != 0) reportLoadFailure(context.resultCode);
    if (entitiesDropped) reportDroppedEntities();
    corvane::releaseRunArray(setType);
    context.rc = addNames();
    context.rc = readSavedBasis(context.names, context.rc, context.resultCode, context.timing);
    saveProblemFile();
    return true;
}

void ZOLXpress::runOptimization(SolveContext& context) {
    warmStartMip();
    optimize(context);
    moveLogToEnd();
    checkBasisRestorationTime(context.timing);
    if (context.rc != 0) logLastError();
    if (interruptRequested) {
        endInterrupted(context);
        return;
    }
    if (context.rc != 0) {
        const int code = optimizerErrorCode();
        *context.resultCode = corvane::result::kNoOptimum;
        setStatus(corvane::status::kFailed);
        logCoded(" *** Error in XPRESS solver during optimization. Error code ", code);
    } else {
        retrieveSolution(context);
        // The fixed re-solve of a MIP runs inside the retrieval, and a client may stop it too: a
        // stopped solve is never reported as solved.
        if (interruptRequested) {
            endInterrupted(context);
            return;
        }
    }
    *context.solveDone = 1;
    iteratePhase = 1;
    *context.requestCode = corvane::request::kFinished;
    if (solveAsMip) {
        interpretMipStatus(context);
    } else {
        interpretLpStatus(context);
    }
    writeBackSolution(context);
    CleanUp();
}

// A creation that failed leaves nothing the optimizer could be called with.
bool ZOLXpress::createProblem(SolveContext& context) {
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
    logCoded(" *** Error creating XPRESS problem. Error code ", rc);
    abandonSolve(context);
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
    logStream << " *** Error in problem data for XPRESS solver. " << error.what << std::endl;
    abandonSolve(context);
    return false;
}

void ZOLXpress::abandonSolve(SolveContext& context) {
    setStatus(corvane::status::kFailed);
    *context.resultCode = corvane::result::kNotLoaded;
    returnStartValues(context);
    finishSolve(context.requestCode);
}

void ZOLXpress::finishSolve(int* requestCode) {
    CleanUp();
    iteratePhase = 1;
    *requestCode = corvane::request::kFinished;
}
