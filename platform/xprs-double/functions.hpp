// The optimizer functions the double implements, as an enumeration the recorder and the script
// index by.
#ifndef CORVANE_XPRS_DOUBLE_FUNCTIONS_HPP
#define CORVANE_XPRS_DOUBLE_FUNCTIONS_HPP

#include <cstddef>
#include <optional>

#include "optimizer/xprs.h"

namespace xdouble {

enum class Fn : int {
// Every function of the optimizer interface, in the order of its list.
#define XDBL_ENUMERATOR(name, params, args) name,
    CORVANE_XPRS_FUNCTIONS(XDBL_ENUMERATOR)
#undef XDBL_ENUMERATOR
};

#define XDBL_COUNT_ONE(name, params, args) +1
constexpr std::size_t kFunctionCount = 0 CORVANE_XPRS_FUNCTIONS(XDBL_COUNT_ONE);
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
