// The plug-in's side of the host's utility library: descriptor-word inquiries and formatted
// output, each bound to the host's own function at its first call. Without the library, output is
// dropped and inquiries answer 0.
#include "binding/lazy_library.h"
#include "host/vrim.h"

namespace {

corvane::LazyLibrary& hostUtilsLibrary() {
    static corvane::LazyLibrary library(CORVANE_LIBRARY_FILE("vrimutils"));
    return library;
}

}  // namespace

#define CORVANE_FORWARD_INQUIRY(function)                     \
    extern "C" int function(int word) {                       \
        CORVANE_BIND(hostUtilsLibrary(), function);           \
        return bound_##function ? bound_##function(word) : 0; \
    }

CORVANE_FORWARD_INQUIRY(varInqType)
CORVANE_FORWARD_INQUIRY(varIsFixed)
CORVANE_FORWARD_INQUIRY(u3rgmt_c)
CORVANE_FORWARD_INQUIRY(u3rinc_c)

extern "C" void rtoprintf(void* sink, const char* text) {
    CORVANE_BIND(hostUtilsLibrary(), rtoprintf);
    if (bound_rtoprintf) bound_rtoprintf(sink, text);
}
