#include "functions.hpp"

#include <cstring>

namespace xdouble {

namespace {

const char* const kNames[] = {
#define XDBL_NAME(name, params, args) #name,
    CORVANE_XPRS_FUNCTIONS(XDBL_NAME)
#undef XDBL_NAME
};

static_assert(sizeof(kNames) / sizeof(kNames[0]) == kFunctionCount);

}  // namespace

const char* functionName(Fn fn) {
    return kNames[slot(fn)];
}

std::optional<Fn> functionNamed(const char* name) {
    if (!name) return std::nullopt;
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        if (std::strcmp(kNames[i], name) == 0) return static_cast<Fn>(i);
    }
    return std::nullopt;
}

}  // namespace xdouble
