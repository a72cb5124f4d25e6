// The plug-in's side of the host libraries: each function binds the host's own at its first call.
// Without the library, output is dropped, summary items are not set and inquiries answer 0.
#include "host/vrim.h"
#include "plugin/lazy_library.h"

#define CORVANE_FORWARD_INQUIRY(function)                     \
    extern "C" int function(int word) {                       \
        CORVANE_BIND(hostUtilsLibrary, function);             \
        return bound_##function ? bound_##function(word) : 0; \
    }

CORVANE_FORWARD_INQUIRY(varInqType)
CORVANE_FORWARD_INQUIRY(varIsFixed)
CORVANE_FORWARD_INQUIRY(u3rgmt_c)
CORVANE_FORWARD_INQUIRY(u3rinc_c)

extern "C" void rtoprintf(void* sink, const char* text) {
    CORVANE_BIND(hostUtilsLibrary, rtoprintf);
    if (bound_rtoprintf) bound_rtoprintf(sink, text);
}

extern "C" int rtocvgsum_set_int_item(rt_cvgsum_t* summary, const char* item, int value) {
    CORVANE_BIND(hostCoreLibrary, rtocvgsum_set_int_item);
    return bound_rtocvgsum_set_int_item ? bound_rtocvgsum_set_int_item(summary, item, value) : 0;
}

extern "C" int rtocvgsum_set_real_item(rt_cvgsum_t* summary, const char* item, double value) {
    CORVANE_BIND(hostCoreLibrary, rtocvgsum_set_real_item);
    return bound_rtocvgsum_set_real_item ? bound_rtocvgsum_set_real_item(summary, item, value) : 0;
}
