// The optimizer library's C interface: the calls the plug-in makes and the identifiers it uses.
//
// Every function returns 0 on success and a non-zero code otherwise. A problem handle is an
// opaque pointer; the library owns what it points to.
//
// Libraries that implement this interface (the optimizer library itself and its test double)
// define XPRS_BUILDING_LIBRARY so the functions are exported. The plug-in does not link any of
// them: it defines these same functions itself as forwarders that bind the library lazily.
#ifndef CORVANE_OPTIMIZER_XPRS_H
#define CORVANE_OPTIMIZER_XPRS_H

// The vendor's 32-bit Windows library uses __stdcall for its functions and its callbacks.
#if defined(_WIN32) && !defined(_WIN64)
#define XPRS_CC __stdcall
#else
#define XPRS_CC
#endif

#if defined(XPRS_BUILDING_LIBRARY)
#if defined(_WIN32)
#define XPRS_API __declspec(dllexport)
#else
#define XPRS_API __attribute__((visibility("default")))
#endif
#else
#define XPRS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct xo_prob_struct* XPRSprob;

typedef int(XPRS_CC* XPRSlplogcallback)(XPRSprob prob, void* data);
typedef void(XPRS_CC* XPRSmessagecallback)(XPRSprob prob, void* data, const char* text, int length,
                                           int type);

// Integer controls. Those the plug-in sets only by number, to fixed values, keep their number as
// their name: the plug-in relies on no meaning of theirs, and the optimizer library only stores
// them.
#define XPRS_LPITERLIMIT 8007
#define XPRS_LPLOG 8009
#define XPRS_SCALING 8010
#define XPRS_PRESOLVE 8011
#define XPRS_CRASH 8012
#define XPRS_PRICINGALG 8013
#define XPRS_MAXNODE 8018
#define XPRS_MAXTIME 8020
#define XPRS_MAXMIPSOL 8021
#define XPRS_DEFAULTALG 8023
#define XPRS_NODESELECTION 8026
#define XPRS_BACKTRACK 8027
#define XPRS_MIPLOG 8028
#define XPRS_CONTROL_8052 8052
#define XPRS_BARTHREADS 8053
#define XPRS_MPSNAMELENGTH 8071
#define XPRS_PRESOLVEOPS 8077
#define XPRS_MIPPRESOLVE 8078
#define XPRS_MIPTHREADS 8079
#define XPRS_CONTROL_8130 8130
#define XPRS_MAXIIS 8131
#define XPRS_CONTROL_8133 8133
#define XPRS_CONTROL_8137 8137
#define XPRS_CUTSTRATEGY 8138
#define XPRS_HEURSEARCHFREQ 8196
#define XPRS_CONCURRENTTHREADS 8274
#define XPRS_MAXSCALEFACTOR 8275
#define XPRS_THREADS 8278
#define XPRS_CONTROL_8326 8326

// Double controls.
#define XPRS_MATRIXTOL 7001
#define XPRS_PIVOTTOL 7002
#define XPRS_FEASTOL 7003
#define XPRS_OPTIMALITYTOL 7006
#define XPRS_ETATOL 7007
#define XPRS_RELPIVOTTOL 7008
#define XPRS_MIPTOL 7009
#define XPRS_MIPRELCUTOFF 7014
#define XPRS_MIPABSSTOP 7019
#define XPRS_MIPRELSTOP 7020
#define XPRS_ELIMTOL 7042
#define XPRS_MARKOWITZTOL 7047
#define XPRS_HEURSEARCHEFFORT 7090

// Integer attributes.
#define XPRS_SIMPLEXITER 1009
#define XPRS_LPSTATUS 1010
#define XPRS_MIPSTATUS 1011
#define XPRS_ERRORCODE 1023

// Double attributes.
#define XPRS_LPOBJVAL 2001
#define XPRS_SUMPRIMALINF 2002
#define XPRS_MIPOBJVAL 2003
#define XPRS_BARDUALINF 4004

// LP status values (attribute XPRS_LPSTATUS).
#define XPRS_LP_OPTIMAL 1
#define XPRS_LP_INFEAS 2
#define XPRS_LP_CUTOFF 3
#define XPRS_LP_UNFINISHED 4
#define XPRS_LP_UNBOUNDED 5
#define XPRS_LP_CUTOFF_IN_DUAL 6

// MIP status values (attribute XPRS_MIPSTATUS).
#define XPRS_MIP_LP_NOT_OPTIMAL 1
#define XPRS_MIP_LP_OPTIMAL 2
#define XPRS_MIP_NO_SOL_FOUND 3
#define XPRS_MIP_SOLUTION 4
#define XPRS_MIP_INFEAS 5
#define XPRS_MIP_OPTIMAL 6

// Name types of XPRSaddnames.
#define XPRS_NAMES_ROWS 1
#define XPRS_NAMES_COLUMNS 2

// Basis status values of XPRSgetbasis.
#define XPRS_AT_LOWER 0
#define XPRS_BASIC 1
#define XPRS_AT_UPPER 2
#define XPRS_FREE_SUPER 3

#include "optimizer/xprs_functions.h"

#define XPRS_DECLARE(function, params, args) XPRS_API int XPRS_CC function params;
CORVANE_XPRS_FUNCTIONS(XPRS_DECLARE)
#undef XPRS_DECLARE

#ifdef __cplusplus
}
#endif

#endif
