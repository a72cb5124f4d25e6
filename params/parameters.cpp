// Validation, setting and inquiry of the solver's parameters, by keyword and by 1-based index.
#include <cstring>

#include "params/catalogue.h"

using corvane::findIntParameter;
using corvane::findRealParameter;
using corvane::IntParameter;
using corvane::isStringParameter;
using corvane::kIntParameters;
using corvane::kRealParameters;
using corvane::RealParameter;

void ZOLXpress::InitDefSolverParameters() {
    numIntParams = corvane::kNumIntParameters;
    numRealParams = corvane::kNumRealParameters;
    numStringParams = corvane::kNumStringParameters;
    for (const IntParameter& parameter : kIntParameters)
        this->*parameter.member =
            parameter.defaultIsHardwareThreads ? hardwareThreads : parameter.defaultValue;
    for (const RealParameter& parameter : kRealParameters)
        this->*parameter.member = parameter.defaultValue;
    logDir[0] = '\0';
}

int ZOLXpress::inqNumIntParam() const {
    return numIntParams;
}
int ZOLXpress::inqNumRealParam() const {
    return numRealParams;
}
int ZOLXpress::inqNumStringParam() const {
    return numStringParams;
}

RTSolver::parameterType ZOLXpress::validParam(const char* name) const {
    if (findIntParameter(name)) return INT_PARAMETER;
    if (findRealParameter(name)) return REAL_PARAMETER;
    if (isStringParameter(name)) return STRING_PARAMETER;
    return NO_PARAMETER;
}

void ZOLXpress::setIntParam(const char* name, int value) {
    if (const IntParameter* parameter = findIntParameter(name)) this->*parameter->member = value;
}

void ZOLXpress::setRealParam(const char* name, double value) {
    if (const RealParameter* parameter = findRealParameter(name)) this->*parameter->member = value;
}

// A value that does not fit the buffer is refused and the old one kept: a cut directory name
// would send the run files somewhere the caller never named.
void ZOLXpress::setStringParam(const char* name, const char* value) {
    if (!isStringParameter(name) || !value) return;
    const size_t length = std::strlen(value);
    if (length > static_cast<size_t>(corvane::kMaxStringParameterLength)) return;
    // The value may be the solver's own text (the pointer inqStringParam gave), or part of it.
    std::memmove(logDir, value, length + 1);
}

int ZOLXpress::inqIntParam(const char* name) const {
    const IntParameter* parameter = findIntParameter(name);
    return parameter ? this->*parameter->member : 0;
}

double ZOLXpress::inqRealParam(const char* name) const {
    const RealParameter* parameter = findRealParameter(name);
    return parameter ? this->*parameter->member : kNoRealValue;
}

const char* ZOLXpress::inqStringParam(const char* name) const {
    return isStringParameter(name) ? logDir : "UNDEFINED";
}

namespace {

// The by-index inquiries are bounded by the catalogue itself: the exported counts are members
// that any caller can write.
void copyName(char* destination, const char* name) {
    if (destination) std::strcpy(destination, name);
}

}  // namespace

void ZOLXpress::inqIntParam(int index, char* name, int& value) const {
    copyName(name, "");
    value = kNoIntValue;
    if (index < 1 || index > corvane::kNumIntParameters) return;
    const IntParameter& parameter = kIntParameters[index - 1];
    copyName(name, parameter.name);
    value = this->*parameter.member;
}

void ZOLXpress::inqRealParam(int index, char* name, double& value) const {
    copyName(name, "");
    value = kNoRealValue;
    if (index < 1 || index > corvane::kNumRealParameters) return;
    const RealParameter& parameter = kRealParameters[index - 1];
    copyName(name, parameter.name);
    value = this->*parameter.member;
}

void ZOLXpress::inqStringParam(int index, char* name, char* value) const {
    copyName(name, "");
    copyName(value, "");
    if (index < 1 || index > corvane::kNumStringParameters) return;
    copyName(name, corvane::kStringParameterName);
    copyName(value, logDir);
}
