// Every function of the optimizer interface, as one list: X(function, (parameters), (arguments)).
// optimizer/xprs.h declares them from it; the plug-in's lazy binding forwards each, and the test
// double enumerates them. Every function returns an int. Included by optimizer/xprs.h, after the
// types the parameters use.
#ifndef CORVANE_OPTIMIZER_XPRS_FUNCTIONS_H
#define CORVANE_OPTIMIZER_XPRS_FUNCTIONS_H

// clang-format off
#define CORVANE_XPRS_FUNCTIONS(X) \
    X(XPRSinit, (const char* path), (path)) \
    X(XPRSfree, (void), ()) \
    X(XPRSgetversion, (char* version), (version)) \
    X(XPRScreateprob, (XPRSprob * prob), (prob)) \
    X(XPRSdestroyprob, (XPRSprob prob), (prob)) \
    X(XPRSsetintcontrol, (XPRSprob prob, int control, int value), (prob, control, value)) \
    X(XPRSsetdblcontrol, (XPRSprob prob, int control, double value), \
                (prob, control, value)) \
    X(XPRSgetintcontrol, (XPRSprob prob, int control, int* value), (prob, control, value)) \
    X(XPRSgetintattrib, (XPRSprob prob, int attrib, int* value), (prob, attrib, value)) \
    X(XPRSgetdblattrib, (XPRSprob prob, int attrib, double* value), (prob, attrib, value)) \
    X(XPRSloadlp, \
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[], \
                 const double rhs[], const double range[], const double obj[], const int colstart[], \
                 const int collen[], const int rowind[], const double value[], const double lb[], \
                 const double ub[]), \
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind, \
                 value, lb, ub)) \
    X(XPRSloadqp, \
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[], \
                 const double rhs[], const double range[], const double obj[], const int colstart[], \
                 const int collen[], const int rowind[], const double value[], const double lb[], \
                 const double ub[], int nqterms, const int qcol1[], const int qcol2[], \
                 const double qcoef[]), \
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind, \
                 value, lb, ub, nqterms, qcol1, qcol2, qcoef)) \
    X(XPRSloadglobal, \
                (XPRSprob prob, const char* name, int ncols, int nrows, const char rowtype[], \
                 const double rhs[], const double range[], const double obj[], const int colstart[], \
                 const int collen[], const int rowind[], const double value[], const double lb[], \
                 const double ub[], int nentities, int nsets, const char enttype[], \
                 const int entcol[], const double limit[], const char settype[], \
                 const int setstart[], const int setcol[], const double setref[]), \
                (prob, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen, rowind, \
                 value, lb, ub, nentities, nsets, enttype, entcol, limit, settype, setstart, setcol, \
                 setref)) \
    X(XPRSaddnames, (XPRSprob prob, int type, const char names[], int first, int last), \
                (prob, type, names, first, last)) \
    X(XPRSgetlasterror, (XPRSprob prob, char* text), (prob, text)) \
    X(XPRSsetlogfile, (XPRSprob prob, const char* file), (prob, file)) \
    X(XPRSreadbasis, (XPRSprob prob, const char* file, const char* flags), \
                (prob, file, flags)) \
    X(XPRSwritebasis, (XPRSprob prob, const char* file, const char* flags), \
                (prob, file, flags)) \
    X(XPRSgetbasis, (XPRSprob prob, int rowstat[], int colstat[]), \
                (prob, rowstat, colstat)) \
    X(XPRSwriteprob, (XPRSprob prob, const char* file, const char* flags), \
                (prob, file, flags)) \
    X(XPRSaddmipsol, \
                (XPRSprob prob, int length, const double values[], const int colind[], \
                 const char* name), \
                (prob, length, values, colind, name)) \
    X(XPRSminim, (XPRSprob prob, const char* flags), (prob, flags)) \
    X(XPRSmaxim, (XPRSprob prob, const char* flags), (prob, flags)) \
    X(XPRSchgobjsense, (XPRSprob prob, int sense), (prob, sense)) \
    X(XPRSmipoptimize, (XPRSprob prob, const char* flags), (prob, flags)) \
    X(XPRSdumpcontrols, (XPRSprob prob), (prob)) \
    X(XPRSgetscaledinfeas, \
                (XPRSprob prob, int* npv, int* nps, int* nds, int* ndv, int colsP[], int rowsP[], \
                 int rowsD[], int colsD[]), \
                (prob, npv, nps, nds, ndv, colsP, rowsP, rowsD, colsD)) \
    X(XPRSgetunbvec, (XPRSprob prob, int* index), (prob, index)) \
    X(XPRSgetlpsol, \
                (XPRSprob prob, double x[], double slack[], double dual[], double dj[]), \
                (prob, x, slack, dual, dj)) \
    X(XPRSgetmipsol, (XPRSprob prob, double x[], double slack[]), (prob, x, slack)) \
    X(XPRSfixglobals, (XPRSprob prob, int round), (prob, round)) \
    X(XPRSsetcblplog, (XPRSprob prob, XPRSlplogcallback callback, void* data), \
                (prob, callback, data)) \
    X(XPRSaddcbmessage, \
                (XPRSprob prob, XPRSmessagecallback callback, void* data, int priority), \
                (prob, callback, data, priority))
// clang-format on

#endif
