// What the plug-in reads from the host's names and descriptor words.
#ifndef CORVANE_SOLVE_HOST_CODES_H
#define CORVANE_SOLVE_HOST_CODES_H

#include "host/vrim.h"

namespace corvane {

// Host names carry a four-character prefix that is not part of the model's name.
constexpr int kNamePrefixLength = 4;

// The kinds that become integer entities: integer, binary and semi-continuous.
inline bool isEntityKind(int kind) {
    return kind == VRIM_VAR_INTEGER || kind == VRIM_VAR_BINARY || kind == VRIM_VAR_SEMICONTINUOUS;
}

}  // namespace corvane

#endif
