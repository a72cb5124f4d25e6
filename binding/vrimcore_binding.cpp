// The plug-in's side of the host's core library: the items of the convergence summary, each bound
// to the host's own function at its first call. Without the library, items are not set.
#include "binding/lazy_library.h"
#include "host/vrim.h"

namespace {

corvane::LazyLibrary& hostCoreLibrary() {
    static corvane::LazyLibrary library(CORVANE_LIBRARY_FILE("vrimcore"));
    return library;
}

}  // namespace

extern "C" int rtocvgsum_set_int_item(rt_cvgsum_t* summary, const char* item, int value) {
    CORVANE_BIND(hostCoreLibrary(), rtocvgsum_set_int_item);
    return bound_rtocvgsum_set_int_item ? bound_rtocvgsum_set_int_item(summary, item, value) : 0;
}

extern "C" int rtocvgsum_set_real_item(rt_cvgsum_t* summary, const char* item, double value) {
    CORVANE_BIND(hostCoreLibrary(), rtocvgsum_set_real_item);
    return bound_rtocvgsum_set_real_item ? bound_rtocvgsum_set_real_item(summary, item, value) : 0;
}
