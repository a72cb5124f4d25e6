// Plain C services of the host's libraries.
//
// vrimutils: descriptor-word inquiries and formatted output.
// vrimcore:  items of the convergence summary the host reads after a solve.
#ifndef CORVANE_HOST_VRIM_H
#define CORVANE_HOST_VRIM_H

#if defined(VRIM_BUILDING_LIBRARY)
#if defined(_WIN32)
#define VRIM_API __declspec(dllexport)
#else
#define VRIM_API __attribute__((visibility("default")))
#endif
#else
#define VRIM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct rt_cvgsum rt_cvgsum_t;

// Variable kinds answered by varInqType; any other value is a continuous variable.
#define VRIM_VAR_INTEGER 3
#define VRIM_VAR_BINARY 5
#define VRIM_VAR_SEMICONTINUOUS 7

// Relations answered by u3rgmt_c.
#define VRIM_REL_EQUAL 0
#define VRIM_REL_LESS 1
#define VRIM_REL_LESS_STRICT 2
#define VRIM_REL_GREATER 3
#define VRIM_REL_GREATER_STRICT 4
#define VRIM_REL_FREE 5

VRIM_API int varInqType(int word);
VRIM_API int varIsFixed(int word);
VRIM_API int u3rgmt_c(int word);
VRIM_API int u3rinc_c(int word);
VRIM_API void rtoprintf(void* sink, const char* text);

VRIM_API int rtocvgsum_set_int_item(rt_cvgsum_t* summary, const char* item, int value);
VRIM_API int rtocvgsum_set_real_item(rt_cvgsum_t* summary, const char* item, double value);

#ifdef __cplusplus
}
#endif

#endif
