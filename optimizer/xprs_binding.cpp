// The plug-in's side of the optimizer interface: each function binds the optimizer library's own
// at its first call and forwards to it. Without the library every call fails with kNotBound.
#include <cstring>

#include "optimizer/xprs.h"
#include "plugin/lazy_library.h"

namespace {
constexpr int kNotBound = -1;
}

#define CORVANE_FORWARD(function, params, args)                      \
    extern "C" int XPRS_CC function params {                         \
        CORVANE_BIND(optimizerLibrary, function);                    \
        return bound_##function ? bound_##function args : kNotBound; \
    }

CORVANE_FORWARD(XPRSinit, (const char* path), (path))
CORVANE_FORWARD(XPRSfree, (void), ())
CORVANE_FORWARD(XPRSgetversion, (char* version), (version))
CORVANE_FORWARD(XPRScreateprob, (XPRSprob * prob), (prob))
CORVANE_FORWARD(XPRSdestroyprob, (XPRSprob prob), (prob))
CORVANE_FORWARD(XPRSsetintcontrol, (XPRSprob prob, int control, int value), (prob, control, value))
CORVANE_FORWARD(XPRSsetdblcontrol, (XPRSprob prob, int control, double value),
                (prob, control, value))
CORVANE_FORWARD(XPRSgetintcontrol, (XPRSprob prob, int control, int* value), (prob, control, value))
CORVANE_FORWARD(XPRSgetintattrib, (XPRSprob prob, int attrib, int* value), (prob, attrib, value))
CORVANE_FORWARD(XPRSgetdblattrib, (XPRSprob prob, int attrib, double* value), (prob, attrib, value))
CORVANE_FORWARD(XPRSloadlp,
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[],
                 const double rhs[], const double range[], const double obj[], const int colstart[],
                 const int collen[], const int rowind[], const double value[], const double lb[],
                 const double ub[]),
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind,
                 value, lb, ub))
CORVANE_FORWARD(XPRSloadqp,
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[],
                 const double rhs[], const double range[], const double obj[], const int colstart[],
                 const int collen[], const int rowind[], const double value[], const double lb[],
                 const double ub[], int nqterms, const int qcol1[], const int qcol2[],
                 const double qcoef[]),
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind,
                 value, lb, ub, nqterms, qcol1, qcol2, qcoef))
CORVANE_FORWARD(XPRSloadglobal,
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[],
                 const double rhs[], const double range[], const double obj[], const int colstart[],
                 const int collen[], const int rowind[], const double value[], const double lb[],
                 const double ub[], int nentities, int nsets, const char enttype[],
                 const int entcol[], const double limit[], const char settype[],
                 const int setstart[], const int setcol[], const double setref[]),
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind,
                 value, lb, ub, nentities, nsets, enttype, entcol, limit, settype, setstart, setcol,
                 setref))
CORVANE_FORWARD(XPRSaddnames, (XPRSprob prob, int type, const char names[], int first, int last),
                (prob, type, names, first, last))
CORVANE_FORWARD(XPRSsetlogfile, (XPRSprob prob, const char* file), (prob, file))
CORVANE_FORWARD(XPRSreadbasis, (XPRSprob prob, const char* file, const char* flags),
                (prob, file, flags))
CORVANE_FORWARD(XPRSwritebasis, (XPRSprob prob, const char* file, const char* flags),
                (prob, file, flags))
CORVANE_FORWARD(XPRSgetbasis, (XPRSprob prob, int rowstat[], int colstat[]),
                (prob, rowstat, colstat))
CORVANE_FORWARD(XPRSwriteprob, (XPRSprob prob, const char* file, const char* flags),
                (prob, file, flags))
CORVANE_FORWARD(XPRSaddmipsol,
                (XPRSprob prob, int length, const double values[], const int colind[],
                 const char* name),
                (prob, length, values, colind, name))
CORVANE_FORWARD(XPRSminim, (XPRSprob prob, const char* flags), (prob, flags))
CORVANE_FORWARD(XPRSmaxim, (XPRSprob prob, const char* flags), (prob, flags))
CORVANE_FORWARD(XPRSchgobjsense, (XPRSprob prob, int sense), (prob, sense))
CORVANE_FORWARD(XPRSmipoptimize, (XPRSprob prob, const char* flags), (prob, flags))
CORVANE_FORWARD(XPRSdumpcontrols, (XPRSprob prob), (prob))
CORVANE_FORWARD(XPRSgetscaledinfeas,
                (XPRSprob prob, int* npv, int* nps, int* nds, int* ndv, int colsP[], int rowsP[],
                 int rowsD[], int colsD[]),
                (prob, npv, nps, nds, ndv, colsP, rowsP, rowsD, colsD))
CORVANE_FORWARD(XPRSgetunbvec, (XPRSprob prob, int* index), (prob, index))
CORVANE_FORWARD(XPRSgetlpsol,
                (XPRSprob prob, double x[], double slack[], double dual[], double dj[]),
                (prob, x, slack, dual, dj))
CORVANE_FORWARD(XPRSgetmipsol, (XPRSprob prob, double x[], double slack[]), (prob, x, slack))
CORVANE_FORWARD(XPRSfixglobals, (XPRSprob prob, int round), (prob, round))
CORVANE_FORWARD(XPRSsetcblplog, (XPRSprob prob, XPRSlplogcallback callback, void* data),
                (prob, callback, data))
CORVANE_FORWARD(XPRSaddcbmessage,
                (XPRSprob prob, XPRSmessagecallback callback, void* data, int priority),
                (prob, callback, data, priority))

// Callers print the last error next to a failure code, so an unbound library still explains
// itself.
extern "C" int XPRS_CC XPRSgetlasterror(XPRSprob prob, char* text) {
    CORVANE_BIND(optimizerLibrary, XPRSgetlasterror);
    if (bound_XPRSgetlasterror) return bound_XPRSgetlasterror(prob, text);
    if (text) std::strcpy(text, "optimizer library not loaded");
    return kNotBound;
}
