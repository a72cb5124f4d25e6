// The third call of a solve: the optimizer problem is created, assembled, loaded, optimized and
// answered, and every way out of the call releases the solve's resources.
#include "host/providers.h"
#include "host/vrim.h"
#include "solve/run_files.h"
#include "solver/optimizer_callbacks.h"
#include "solver/zol_xpress.h"

using corvane::BasisTiming;
using corvane::RunFileNames;

namespace {
constexpr int kRequestFinished = 7;
}

void ZOLXpress::createProblem() {
    XPRScreateprob(&problemHandle);
    setCurrentSolver(this);
    XPRSsetcblplog(problemHandle, corvane::lpLogCallback, nullptr);
}

void ZOLXpress::connectMessages() {
    XPRSsetintcontrol(problemHandle, XPRS_CONTROL_8137, 1);
    XPRSaddcbmessage(problemHandle, corvane::messageCallback, nullptr, 0);
}

void ZOLXpress::solveProblem(VarProvider*, EqnProvider*, DerivProvider*, ObjProvider*,
                             int* requestCode, int* solveDone, int* resultCode) {
    *resultCode = 0;
    createProblem();
    connectMessages();
    const RunFileNames names = openRunLog();

    solveAsMip = false;
    relaxMipRun = relaxMip == 1;
    if (applyParameters != 0) SetSolverParametersNew();

    int rc = 0;
    moveLogToEnd();

    BasisTiming timing;
    rc = readSavedBasis(names, rc, resultCode, timing);
    saveProblemFile();

    moveLogToEnd();
    checkBasisRestorationTime(timing);
    if (rc != 0) logLastError();

    *solveDone = 0;
    if (*resultCode == 0) *resultCode = 2;
    finishSolve(requestCode);
}

void ZOLXpress::finishSolve(int* requestCode) {
    CleanUp();
    iteratePhase = 1;
    *requestCode = kRequestFinished;
}
