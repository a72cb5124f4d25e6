// The plug-in's side of the optimizer library: every function of its interface binds the
// library's own at its first call and forwards to it. Without the library every call fails with
// kNotBound.
#include <cstring>

#include "binding/lazy_library.h"
#include "optimizer/xprs.h"

namespace {

constexpr int kNotBound = -1;

corvane::LazyLibrary& optimizerLibrary() {
    static corvane::LazyLibrary library(CORVANE_LIBRARY_FILE("xprs"));
    return library;
}

// What a call does when its function cannot be bound.
template <auto Function>
struct Unbound {
    template <typename... Args>
    static int call(Args...) {
        return kNotBound;
    }
};

// Callers print the last error next to a failure code, so an unbound library still explains
// itself.
template <>
struct Unbound<&XPRSgetlasterror> {
    static int call(XPRSprob, char* text) {
        if (text) std::strcpy(text, "optimizer library not loaded");
        return kNotBound;
    }
};

}  // namespace

#define CORVANE_FORWARD(function, params, args)                                          \
    extern "C" int XPRS_CC function params {                                             \
        CORVANE_BIND(optimizerLibrary(), function);                                      \
        return bound_##function ? bound_##function args : Unbound<&function>::call args; \
    }

CORVANE_XPRS_FUNCTIONS(CORVANE_FORWARD)
