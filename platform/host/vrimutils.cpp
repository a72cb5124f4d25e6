// The host's descriptor-word inquiries and its output to a message sink (a FILE*).
#include <cstdio>

#include "platform/host/vrim_host.h"

extern "C" {

int varInqType(int word) {
    return word & VRIM_VAR_KIND_MASK;
}

int varIsFixed(int word) {
    return (word & VRIM_VAR_FIXED_FLAG) != 0;
}

int u3rgmt_c(int word) {
    return word & VRIM_EQN_RELATION_MASK;
}

int u3rinc_c(int word) {
    return (word & VRIM_EQN_INCLUDE_FLAG) != 0;
}

int vrim_var_word(int kind, int fixed) {
    return (kind & VRIM_VAR_KIND_MASK) | (fixed ? VRIM_VAR_FIXED_FLAG : 0);
}

int vrim_eqn_word(int relation, int included) {
    return (relation & VRIM_EQN_RELATION_MASK) | (included ? VRIM_EQN_INCLUDE_FLAG : 0);
}

// The text is printed as it is: it is not a format.
void rtoprintf(void* sink, const char* text) {
    if (!sink || !text) return;
    std::FILE* stream = static_cast<std::FILE*>(sink);
    std::fputs(text, stream);
    std::fflush(stream);
}
}
