// The host side of the host libraries: what the host itself uses beside the services the plug-in
// calls (host/vrim.h).
//
// Descriptor words. A variable's word holds its kind in bits 0 to 3 (VRIM_VAR_INTEGER 3,
// VRIM_VAR_BINARY 5, VRIM_VAR_SEMICONTINUOUS 7; any other value, 0 by convention, is continuous)
// and the fixed flag in bit 4. An equation's word holds its relation in bits 0 to 2
// (VRIM_REL_EQUAL 0, VRIM_REL_LESS 1 or 2, VRIM_REL_GREATER 3 or 4, VRIM_REL_FREE 5) and the
// include flag in bit 3: an equation without it is not part of the model and becomes a free row.
//
// Convergence summary. A record of named items, each an int or a real, set by the solver and read
// back by its owner, who can also read the order in which they were set.
#ifndef CORVANE_PLATFORM_HOST_VRIM_HOST_H
#define CORVANE_PLATFORM_HOST_VRIM_HOST_H

#include "host/vrim.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VRIM_VAR_KIND_MASK 0x0F
#define VRIM_VAR_FIXED_FLAG 0x10
#define VRIM_EQN_RELATION_MASK 0x07
#define VRIM_EQN_INCLUDE_FLAG 0x08

VRIM_API int vrim_var_word(int kind, int fixed);
VRIM_API int vrim_eqn_word(int relation, int included);

VRIM_API rt_cvgsum_t* rtocvgsum_create(void);
VRIM_API void rtocvgsum_destroy(rt_cvgsum_t* summary);
// 1 and the value when the item has been set, 0 otherwise.
VRIM_API int rtocvgsum_get_int_item(const rt_cvgsum_t* summary, const char* item, int* value);
VRIM_API int rtocvgsum_get_real_item(const rt_cvgsum_t* summary, const char* item, double* value);
// Forgets every item and the history, for a new solve.
VRIM_API void rtocvgsum_clear(rt_cvgsum_t* summary);

// The history of a record: every item set on it since it was created or cleared, in the order
// set, repeated items included. rtocvgsum_history_size counts the entries; rtocvgsum_history_entry
// answers the k-th (0-based) as its item name (valid until the record is cleared or destroyed)
// and its value, and returns 1 for an int item, 2 for a real item, 0 when there is no such entry.
VRIM_API int rtocvgsum_history_size(const rt_cvgsum_t* summary);
VRIM_API int rtocvgsum_history_entry(const rt_cvgsum_t* summary, int k, const char** item,
                                     double* value);

// Items set with no record (a null summary) since the library was loaded; they are refused.
VRIM_API int rtocvgsum_items_without_record(void);

#ifdef __cplusplus
}
#endif

#endif
