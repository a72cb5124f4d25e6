// The solver's fixed parameter catalogue: keyword, member and default of every parameter, in
// index order. By-name operations search these tables in order and act on the first match.
#ifndef CORVANE_PARAMS_CATALOGUE_H
#define CORVANE_PARAMS_CATALOGUE_H

#include "solver/zol_xpress.h"

namespace corvane {

struct IntParameter {
    const char* name;
    int ZOLXpress::*member;
    int defaultValue;
    bool defaultIsHardwareThreads;
};

struct RealParameter {
    const char* name;
    double ZOLXpress::*member;
    double defaultValue;
};

constexpr int kNumIntParameters = 28;
constexpr int kNumRealParameters = 12;
constexpr int kNumStringParameters = 1;
constexpr const char* kStringParameterName = "LOGDIR";
// LOGDIR's buffer holds this many characters before its terminator.
constexpr int kMaxStringParameterLength = 255;

extern const IntParameter kIntParameters[kNumIntParameters];
extern const RealParameter kRealParameters[kNumRealParameters];

// The entry whose keyword equals `name` exactly, or null.
const IntParameter* findIntParameter(const char* name);
const RealParameter* findRealParameter(const char* name);
bool isStringParameter(const char* name);

}  // namespace corvane

#endif
