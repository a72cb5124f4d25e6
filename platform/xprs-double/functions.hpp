// The optimizer functions the double implements, as an enumeration the recorder and the script
// index by.
#ifndef CORVANE_XPRS_DOUBLE_FUNCTIONS_HPP
#define CORVANE_XPRS_DOUBLE_FUNCTIONS_HPP

#include <cstddef>
#include <optional>

// Every function of optimizer/xprs.h, in the order the header declares them.
#define XDBL_OPTIMIZER_FUNCTIONS(X) \
    X(XPRSinit)                     \
    X(XPRSfree)                     \
    X(XPRSgetversion)               \
    X(XPRScreateprob)               \
    X(XPRSdestroyprob)              \
    X(XPRSsetintcontrol)            \
    X(XPRSsetdblcontrol)            \
    X(XPRSgetintcontrol)            \
    X(XPRSgetintattrib)             \
    X(XPRSgetdblattrib)             \
    X(XPRSloadlp)                   \
    X(XPRSloadqp)                   \
    X(XPRSloadglobal)               \
    X(XPRSaddnames)                 \
    X(XPRSgetlasterror)             \
    X(XPRSsetlogfile)               \
    X(XPRSreadbasis)                \
    X(XPRSwritebasis)               \
    X(XPRSgetbasis)                 \
    X(XPRSwriteprob)                \
    X(XPRSaddmipsol)                \
    X(XPRSminim)                    \
    X(XPRSmaxim)                    \
    X(XPRSchgobjsense)              \
    X(XPRSmipoptimize)              \
    X(XPRSdumpcontrols)             \
    X(XPRSgetscaledinfeas)          \
    X(XPRSgetunbvec)                \
    X(XPRSgetlpsol)                 \
    X(XPRSgetmipsol)                \
    X(XPRSfixglobals)               \
    X(XPRSsetcblplog)               \
    X(XPRSaddcbmessage)

namespace xdouble {

enum class Fn : int {
#define XDBL_ENUMERATOR(name) name,
    XDBL_OPTIMIZER_FUNCTIONS(XDBL_ENUMERATOR)
#undef XDBL_ENUMERATOR
};

#define XDBL_COUNT_ONE(name) +1
constexpr std::size_t kFunctionCount = 0 XDBL_OPTIMIZER_FUNCTIONS(XDBL_COUNT_ONE);
#undef XDBL_COUNT_ONE

inline std::size_t slot(Fn fn) {
    return static_cast<std::size_t>(fn);
}

// The exported name, e.g. "XPRSinit"; the pointer stays valid for the life of the library.
const char* functionName(Fn fn);

// The function with that exported name; none for a null or unknown name.
std::optional<Fn> functionNamed(const char* name);

}  // namespace xdouble

#endif
