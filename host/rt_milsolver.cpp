// Default behaviour of the host's solver bases: a solver without parameters.
#include "host/rt_solver.h"

RTSolver::~RTSolver() = default;

// The bases' own slot 0, as a solver class that does not implement it would inherit it.
void* RTSolver::deletingDestructor(unsigned int flags) {
    this->~RTSolver();
    return corvane::freeStorage(this, flags);
}

RTMILSolver::RTMILSolver(const char* name) : solverName(name), startFlag(1), setProvider(nullptr) {}

RTMILSolver::~RTMILSolver() = default;

void* RTMILSolver::deletingDestructor(unsigned int flags) {
    this->~RTMILSolver();
    return corvane::freeStorage(this, flags);
}

void RTMILSolver::release() {
    deletingDestructor(corvane::kFreeStorage);
}

const char* RTMILSolver::inqName() const {
    return solverName;
}

int RTMILSolver::inqNumIntParam() const {
    return 0;
}
int RTMILSolver::inqNumRealParam() const {
    return 0;
}
int RTMILSolver::inqNumStringParam() const {
    return 0;
}

RTSolver::parameterType RTMILSolver::validParam(const char*) const {
    return NO_PARAMETER;
}

void RTMILSolver::inqIntParam(int, char* name, int& value) const {
    if (name) name[0] = '\0';
    value = kNoIntValue;
}

int RTMILSolver::inqIntParam(const char*) const {
    return 0;
}
void RTMILSolver::setIntParam(const char*, int) {}

void RTMILSolver::inqRealParam(int, char* name, double& value) const {
    if (name) name[0] = '\0';
    value = kNoRealValue;
}

double RTMILSolver::inqRealParam(const char*) const {
    return kNoRealValue;
}
void RTMILSolver::setRealParam(const char*, double) {}

void RTMILSolver::inqStringParam(int, char* name, char* value) const {
    if (name) name[0] = '\0';
    if (value) value[0] = '\0';
}

const char* RTMILSolver::inqStringParam(const char*) const {
    return "UNDEFINED";
}
void RTMILSolver::setStringParam(const char*, const char*) {}

const char* RTMILSolver::Description(const char*) const {
    return "";
}

void RTMILSolver::setConvergenceSummary(rt_cvgsum_t*) {}
void RTMILSolver::setSetProvider(SetProvider* provider) {
    setProvider = provider;
}

void RTMILSolver::preSolve() {
    setStartFlag(1);
}
void RTMILSolver::postSolve() {}

int RTMILSolver::writesIterationHistory() const {
    return 0;
}

void RTMILSolver::setStartFlag(int value) {
    startFlag = value;
}
int RTMILSolver::inqStartFlag() const {
    return startFlag;
}
