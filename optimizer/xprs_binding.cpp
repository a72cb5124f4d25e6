// The plug-in's side of the optimizer interface: each function binds the optimizer library's own
// at its first call and forwards to it. Without the library every call fails with kNotBound.
#include <cstring>

#include "optimizer/xprs.h"
#include "optimizer/xprs_functions.h"
#include "plugin/lazy_library.h"

namespace {
constexpr int kNotBound = -1;
}

#define CORVANE_FORWARD(function, params, args)                      \
    extern "C" int XPRS_CC function params {                         \
        CORVANE_BIND(optimizerLibrary, function);                    \
        return bound_##function ? bound_##function args : kNotBound; \
    }

CORVANE_XPRS_FUNCTIONS(CORVANE_FORWARD)

// Callers print the last error next to a failure code, so an unbound library still explains
// itself.
extern "C" int XPRS_CC XPRSgetlasterror(XPRSprob prob, char* text) {
    CORVANE_BIND(optimizerLibrary, XPRSgetlasterror);
    if (bound_XPRSgetlasterror) return bound_XPRSgetlasterror(prob, text);
    if (text) std::strcpy(text, "optimizer library not loaded");
    return kNotBound;
}
