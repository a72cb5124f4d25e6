// The optimizer test double's own C interface.
//
// The double is a library built under the optimizer library's name that implements every function
// of optimizer/xprs.h. It records each call with its arguments and answers as a test has scripted
// it. Tests reach the recording and the script through the functions below; GoogleTest code may
// prefer the C++ layer in xprs_double.hpp.
//
// State. The double keeps one recording, one script and the registry of live problems, shared by
// every thread; every function here and in optimizer/xprs.h may be called from any thread. No
// lock is held while a callback of the caller runs, so callbacks may call back into the double.
//
// Function names. Scripting and query functions name an optimizer function by its exported name,
// e.g. "XPRSmipoptimize". An unknown name is refused: scripting functions return -1 and change
// nothing, queries answer -1 (counts and indices) or null.
//
// Occurrences. The occurrence-th call of a function is counted from 1 since the last xdbl_reset,
// over every call of it, whatever it returned. Where a scripting function takes an occurrence,
// 0 means every call.
//
// Failure. A call scripted to fail returns the scripted code, records its arguments and does
// nothing else: it stores nothing, writes no output and fires no callback. Like every failing
// call it sets the error code attribute (XPRS_ERRORCODE) to its code and the text
// XPRSgetlasterror answers. A call on a null or destroyed problem handle fails with
// XDBL_ERR_INVALID_PROBLEM; the double's other own failures are listed with their codes below.
//
// Problem size. A problem's size is the ncols and nrows of the last successful load
// (XPRSloadlp, XPRSloadqp or XPRSloadglobal) on it, 0 and 0 before any. Outputs sized by the
// problem (solutions, basis, infeasibility lists) are written for that size and never beyond:
// scripted values past it are dropped and missing ones are written as 0. Null output pointers are
// skipped.
#ifndef CORVANE_XPRS_DOUBLE_H
#define CORVANE_XPRS_DOUBLE_H

#include "optimizer/xprs.h"

#if defined(XPRS_BUILDING_LIBRARY)
#define XDBL_API XPRS_API
#else
#define XDBL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Codes of the double's own failures; tests may script any other non-zero code.
#define XDBL_ERR_INVALID_PROBLEM 91  // null or destroyed problem handle
#define XDBL_ERR_REFUSED_CONTROL 92  // control refused with xdbl_refuse_control
#define XDBL_ERR_FILE 93             // a named file cannot be opened
#define XDBL_ERR_ARGUMENT 94         // an argument the library could not have accepted
#define XDBL_ERR_INTERNAL 95         // the double ran out of memory

// Result of a call that has not returned yet (asked from a callback it fires), and of no call.
#define XDBL_NO_RESULT (-2147483647 - 1)

// Argument kinds, for xdbl_arg_count.
#define XDBL_ARG_INT 0
#define XDBL_ARG_DOUBLE 1
#define XDBL_ARG_STRING 2
#define XDBL_ARG_POINTER 3
#define XDBL_ARG_INT_ARRAY 4
#define XDBL_ARG_DOUBLE_ARRAY 5
#define XDBL_ARG_CHAR_ARRAY 6

// ---- Scripting -----------------------------------------------------------------------------
// Everything scripted here lasts until xdbl_reset. Functions returning int answer 0 when the
// script was taken and -1 when it was refused (unknown function name, negative count or
// occurrence, null text where text is required).

// Forgets every recorded call, the LP-log callback results and all scripting; zeroes the start
// count and the count of problems created; attributes, answers, version and last-error text go
// back to their defaults. Live problems stay valid handles and keep what was stored on them
// (size, controls, callbacks, log file).
XDBL_API void xdbl_reset(void);

// Every later call of `function` returns `code`; 0 restores success. An occurrence scripted with
// xdbl_set_return_at takes precedence.
XDBL_API int xdbl_set_return(const char* function, int code);

// Only the occurrence-th call (>= 1) of `function` returns `code`; 0 undoes that script.
XDBL_API int xdbl_set_return_at(const char* function, int occurrence, int code);

// XPRSsetintcontrol and XPRSsetdblcontrol of this control number fail with
// XDBL_ERR_REFUSED_CONTROL and store nothing.
XDBL_API void xdbl_refuse_control(int control);

// With fill non-zero, an XPRScreateprob that fails (as scripted) still stores a live problem in
// the caller's handle, as a library may that fails after making it; 0 restores the default.
XDBL_API void xdbl_fill_handle_on_failure(int fill);

// What XPRSgetintattrib and XPRSgetdblattrib answer for the attribute; unscripted attributes
// answer 0 and 0.0. XPRS_ERRORCODE also takes the code of every failing call.
XDBL_API void xdbl_set_int_attrib(int attrib, int value);
XDBL_API void xdbl_set_dbl_attrib(int attrib, double value);

// When the occurrence-th call of `function` (0: every call) succeeds, the attribute takes the
// value before the call fires its callbacks and returns. Several changes may be scripted for one
// call; they apply in the order scripted.
XDBL_API int xdbl_on_call_set_int_attrib(const char* function, int occurrence, int attrib,
                                         int value);
XDBL_API int xdbl_on_call_set_dbl_attrib(const char* function, int occurrence, int attrib,
                                         double value);

// XPRSgetintcontrol answers `value` for the control on every problem, whatever was set on it.
// Without this it answers the value last set on that problem, else 64 for XPRS_MPSNAMELENGTH
// and 0 for any other control.
XDBL_API void xdbl_set_int_control_answer(int control, int value);

// The text XPRSgetversion copies (at most 255 characters and a NUL); "double 1.0" by default,
// and again after a null text.
XDBL_API void xdbl_set_version(const char* text);

// The text XPRSgetlasterror copies (at most 511 characters and a NUL, the size of the caller's
// 512-byte buffer). Once set, failing calls keep it rather than writing their own; a null text
// returns to those default texts ("<function> failed with code <code>", or the reason of the
// double's own failure). Before any failure the text is empty.
XDBL_API void xdbl_set_last_error(const char* text);

// The solutions XPRSgetlpsol and XPRSgetmipsol write: x and dj per column, slack and dual per
// row. A null array stands for zeros.
XDBL_API int xdbl_set_lpsol(int ncols, const double* x, const double* dj, int nrows,
                            const double* slack, const double* dual);
XDBL_API int xdbl_set_mipsol(int ncols, const double* x, int nrows, const double* slack);

// The basis XPRSgetbasis writes (XPRS_AT_LOWER etc.); unscripted entries are 0.
XDBL_API int xdbl_set_basis(int nrows, const int* rowstat, int ncols, const int* colstat);

// The index XPRSgetunbvec answers; -1 by default.
XDBL_API void xdbl_set_unbvec(int index);

// The lists XPRSgetscaledinfeas answers: primal infeasible columns (npv) and rows (nps), dual
// infeasible rows (nds) and columns (ndv). A null array stands for zeros. Column lists are cut to
// the problem's column count and row lists to its row count, and the counts answered say how
// many entries were written.
XDBL_API int xdbl_set_scaledinfeas(int npv, const int* colsP, int nps, const int* rowsP, int nds,
                                   const int* rowsD, int ndv, const int* colsD);

// During the occurrence-th successful call of `function` (0: every one) on a problem, the
// problem's LP-log callback runs up to `times` times, stopping at its first non-zero return.
// Every value it returns is kept for xdbl_lplog_results. Nothing runs while no callback is set.
XDBL_API int xdbl_fire_lplog(const char* function, int occurrence, int times);

// During the occurrence-th successful call of `function` (0: every one) on a problem, the text
// goes to each message callback of the problem as (text, strlen(text), type), and as a line to the
// problem's log file if it has one. Callbacks run in descending priority, those of equal priority
// in the order added.
XDBL_API int xdbl_fire_message(const char* function, int occurrence, const char* text, int type);

// Firings scripted with the two functions above run in the order they were scripted.

// ---- State ---------------------------------------------------------------------------------

// XPRSinit calls not yet matched by XPRSfree (XPRSfree with none open succeeds, counting
// nothing).
XDBL_API int xdbl_init_count(void);
// Problems created and not destroyed, whenever created.
XDBL_API int xdbl_problems_alive(void);
// Problems created since the last reset.
XDBL_API int xdbl_problems_created(void);

// The values LP-log callbacks returned since the last reset, in order: copies at most `max` of
// them into `results` (which may be null when max is 0) and returns how many there are.
XDBL_API int xdbl_lplog_results(int* results, int max);

// ---- Recording -----------------------------------------------------------------------------
// Every call of an optimizer function since the last reset is recorded in call order, with a
// 0-based index. Pointers answered below stay valid until the next xdbl_reset.

// Calls of `function` recorded, or of all functions when it is null.
XDBL_API int xdbl_call_count(const char* function);
// Index of the occurrence-th (>= 1) call of `function`, or of all calls when it is null; -1
// when there is none.
XDBL_API int xdbl_call_index(const char* function, int occurrence);
// Name of the function called, or null when there is no such call.
XDBL_API const char* xdbl_call_name(int index);
// What the call returned, or XDBL_NO_RESULT.
XDBL_API int xdbl_call_result(int index);
// Wall seconds from the call's entry to its return, the callbacks it fired included; -1 when there
// is no such call.
XDBL_API double xdbl_call_seconds(int index);

// How many arguments of that kind (XDBL_ARG_*) the call recorded; -1 for no such call or kind.
XDBL_API int xdbl_arg_count(int index, int kind);

// The k-th (0-based) argument of each kind, in the function's argument order; see the table
// below. Out of range: 0, 0.0, null.
XDBL_API int xdbl_arg_int(int index, int k);
XDBL_API double xdbl_arg_double(int index, int k);
// Null when the caller passed a null pointer; an empty string stays empty.
XDBL_API const char* xdbl_arg_string(int index, int k);
XDBL_API const void* xdbl_arg_pointer(int index, int k);

// Arrays as copied at call time: set *data (when data is not null) and return the length, or
// return -1 with *data null when the caller passed a null pointer or there is no such argument.
// Char arrays may contain NULs.
XDBL_API int xdbl_arg_int_array(int index, int k, const int** data);
XDBL_API int xdbl_arg_double_array(int index, int k, const double** data);
XDBL_API int xdbl_arg_char_array(int index, int k, const char** data);

// Arguments by kind, in order (k = 0, 1, ...). Every function on a problem records the handle
// as pointer 0. Output arguments are recorded as pointers, so a test sees which were null.
//
//   function             ints                        doubles  strings      pointers
//   XPRSinit             -                           -        path         -
//   XPRSfree             -                           -        -            -
//   XPRSgetversion       -                           -        -            version
//   XPRScreateprob       -                           -        -            prob, created (*)
//   XPRSdestroyprob      -                           -        -            prob
//   XPRSsetintcontrol    control, value              -        -            prob
//   XPRSsetdblcontrol    control                     value    -            prob
//   XPRSgetintcontrol    control                     -        -            prob, value
//   XPRSgetintattrib     attrib                      -        -            prob, value
//   XPRSgetdblattrib     attrib                      -        -            prob, value
//   XPRSloadlp           ncols, nrows                -        name         prob
//   XPRSloadqp           ncols, nrows, nqterms       -        name         prob
//   XPRSloadglobal       ncols, nrows, nentities,    -        name         prob
//                        nsets
//   XPRSaddnames         type, first, last           -        -            prob
//   XPRSgetlasterror     -                           -        -            prob, text
//   XPRSsetlogfile       -                           -        file         prob
//   XPRSreadbasis        -                           -        file, flags  prob
//   XPRSwritebasis       -                           -        file, flags  prob
//   XPRSgetbasis         -                           -        -            prob, rowstat, colstat
//   XPRSwriteprob        -                           -        file, flags  prob
//   XPRSaddmipsol        length                      -        name         prob
//   XPRSminim            -                           -        flags        prob
//   XPRSmaxim            -                           -        flags        prob
//   XPRSchgobjsense      sense                       -        -            prob
//   XPRSmipoptimize      -                           -        flags        prob
//   XPRSdumpcontrols     -                           -        -            prob
//   XPRSgetscaledinfeas  -                           -        -            prob, npv, nps, nds,
//                                                                          ndv, colsP, rowsP,
//                                                                          rowsD, colsD
//   XPRSgetunbvec        -                           -        -            prob, index
//   XPRSgetlpsol         -                           -        -            prob, x, slack, dual, dj
//   XPRSgetmipsol        -                           -        -            prob, x, slack
//   XPRSfixglobals       round                       -        -            prob
//   XPRSsetcblplog       -                           -        -            prob, callback, data
//   XPRSaddcbmessage     priority                    -        -            prob, callback, data
//
//   (*) the handle XPRScreateprob stored, null when it failed.
//
// Arrays, with the length each is copied with:
//
//   function        int arrays                  double arrays               char arrays
//   XPRSloadlp      colstart, collen, rowind    rhs, range, obj, value,     rowtype
//                                               lb, ub
//   XPRSloadqp      as XPRSloadlp, then         as XPRSloadlp, then qcoef   rowtype
//                   qcol1, qcol2
//   XPRSloadglobal  as XPRSloadlp, then         as XPRSloadlp, then         rowtype, enttype,
//                   entcol, setstart, setcol    limit, setref               settype
//   XPRSaddnames    -                           -                           names
//   XPRSaddmipsol   colind                      values                      -
//
//   rowtype, rhs, range: nrows.  obj, collen, lb, ub: ncols.
//   colstart: ncols when collen is given, else ncols + 1.
//   rowind, value: the sum of collen, negative entries counting as 0; without collen,
//     colstart[ncols] (0 when negative or colstart is null).
//   qcol1, qcol2, qcoef: nqterms.  enttype, entcol, limit: nentities.  settype: nsets.
//   setstart: nsets + 1, or nothing when nsets <= 0.
//   setcol, setref: setstart[nsets] (0 when negative or setstart was not read).
//   names: up to and including the (last - first + 1)-th NUL; nothing when last < first.
//   values, colind: length.
//   Negative counts copy nothing.

#ifdef __cplusplus
}
#endif

#endif
