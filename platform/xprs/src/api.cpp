// The C entry points: each checks the library state and the handle, runs the work inside a
// guard that turns any exception into an error code, and leaves the error text behind.
#include <CbcConfig.h>
#include <ClpConfig.h>
#include <ClpSimplex.hpp>
#include <CoinError.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <set>
#include <string>

#include "problem.h"

using xprs::Problem;

namespace {

// The library's only mutable global state: how often it was started, and which handles live.
std::mutex gMutex;
int gStarts = 0;
std::set<Problem*> gProblems;

bool started() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gStarts > 0;
}

Problem* live(XPRSprob handle) {
    std::lock_guard<std::mutex> lock(gMutex);
    Problem* p = xprs::toProblem(handle);
    return gProblems.count(p) ? p : nullptr;
}

template <class Work>
int guarded(XPRSprob handle, Work&& work) {
    if (!started()) return xprs::kNotStarted;
    Problem* p = live(handle);
    if (!p) return xprs::kBadHandle;
    p->log.beginCall();
    int rc;
    try {
        rc = work(*p);
    } catch (const std::bad_alloc&) {
        rc = p->fail(xprs::kOutOfMemory, "out of memory");
    } catch (const CoinError& e) {
        rc = p->fail(xprs::kInternal, "solver failure in " + e.methodName() + ": " + e.message());
    } catch (const std::exception& e) {
        rc = p->fail(xprs::kInternal, std::string("internal failure: ") + e.what());
    } catch (...) {
        rc = p->fail(xprs::kInternal, "internal failure");
    }
    p->log.flushPending();
    return rc;
}

int setControl(Problem& p, int control, double value, bool asInt) {
    const xprs::ControlInfo* info = xprs::findControl(control);
    if (!info) return p.fail(xprs::kBadControl, "unknown control " + std::to_string(control));
    if (info->isInt != asInt)
        return p.fail(xprs::kBadControl, "control " + std::to_string(control) + " (" + info->name +
                                             ") is " + (info->isInt ? "an integer" : "a double") +
                                             " control");
    bool inRange = !std::isnan(value) && value <= info->high &&
                   (info->lowOpen ? value > info->low : value >= info->low);
    if (!inRange) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "value %.17g is outside the valid range of control %d (%s)", value, control,
                      info->name);
        return p.fail(xprs::kBadValue, text);
    }
    p.controls.set(control, value);
    return 0;
}

// Copies the caller's arrays into a model; absent optional arrays take their defaults.
int assemble(Problem& p, xprs::Model& m, const char* name, int ncols, int nrows,
             const char rowtype[], const double rhs[], const double range[], const double obj[],
             const int colstart[], const int collen[], const int rowind[], const double value[],
             const double lb[], const double ub[]) {
    if (ncols < 0 || nrows < 0) return p.fail(xprs::kBadData, "problem not loaded: negative size");
    if (nrows > 0 && !rowtype) return p.fail(xprs::kBadData, "problem not loaded: no row types");
    if (ncols > 0 && !colstart)
        return p.fail(xprs::kBadData, "problem not loaded: no column starts");
    m.name = name ? name : "";
    m.ncols = ncols;
    m.nrows = nrows;
    m.rowtype.assign(rowtype, rowtype + nrows);
    // Each array is written once: from the caller's data, or with its default.
    if (rhs)
        m.rhs.assign(rhs, rhs + nrows);
    else
        m.rhs.assign(nrows, 0.0);
    m.range.assign(nrows, 0.0);
    for (int r = 0; r < nrows; ++r) {
        if (m.rowtype[r] != 'R') continue;
        if (!range) return p.fail(xprs::kBadData, "problem not loaded: range row without ranges");
        m.range[r] = range[r];
    }
    if (obj)
        m.obj.assign(obj, obj + ncols);
    else
        m.obj.assign(ncols, 0.0);
    if (lb)
        m.lb.assign(lb, lb + ncols);
    else
        m.lb.assign(ncols, 0.0);
    if (ub)
        m.ub.assign(ub, ub + ncols);
    else
        m.ub.assign(ncols, xprs::kInfinity);
    // The columns' extents are checked first, so that the entries are copied in whole ranges.
    m.start.assign(ncols + 1, 0);
    long long total = 0;
    for (int c = 0; c < ncols; ++c) {
        long long begin = colstart[c];
        long long end = collen ? begin + collen[c] : colstart[c + 1];
        if (begin < 0 || end < begin || (c > 0 && !collen && begin < colstart[c - 1]))
            return p.fail(xprs::kBadData,
                          "problem not loaded: column starts decrease or lengths "
                          "are negative at column " +
                              std::to_string(c));
        if (end > begin && (!rowind || !value))
            return p.fail(xprs::kBadData, "problem not loaded: no matrix entries");
        total += end - begin;
        if (total > std::numeric_limits<int>::max())
            return p.fail(xprs::kBadData, "problem not loaded: too many matrix entries");
        m.start[c + 1] = static_cast<int>(total);
    }
    if (total > 0 && !collen) {
        m.index.assign(rowind + colstart[0], rowind + colstart[ncols]);
        m.value.assign(value + colstart[0], value + colstart[ncols]);
    } else if (total > 0) {
        m.index.resize(total);
        m.value.resize(total);
        for (int c = 0; c < ncols; ++c) {
            std::copy(rowind + colstart[c], rowind + colstart[c] + collen[c],
                      m.index.begin() + m.start[c]);
            std::copy(value + colstart[c], value + colstart[c] + collen[c],
                      m.value.begin() + m.start[c]);
        }
    }
    m.coltype.assign(ncols, 'C');
    return 0;
}

int addEntities(Problem& p, xprs::Model& m, int nentities, int nsets, const char enttype[],
                const int entcol[], const double limit[], const char settype[],
                const int setstart[], const int setcol[], const double setref[]) {
    auto refuse = [&](const std::string& text) {
        return p.fail(xprs::kBadData, "problem not loaded: " + text);
    };
    if (nentities < 0 || nsets < 0) return refuse("negative entity or set count");
    if (nentities > 0 && (!enttype || !entcol)) return refuse("no entity types or columns");
    for (int e = 0; e < nentities; ++e) {
        int c = entcol[e];
        char t = enttype[e];
        if (c < 0 || c >= m.ncols)
            return refuse("entity " + std::to_string(e) + " names column " + std::to_string(c) +
                          ", outside the problem");
        if (t != 'I' && t != 'B' && t != 'S')
            return refuse("invalid entity type '" + std::string(1, t) + "' of entity " +
                          std::to_string(e));
        if (m.coltype[c] != 'C')
            return refuse("column " + std::to_string(c) + " is an entity twice");
        if (t == 'S' && !limit) return refuse("semi-continuous entity without limits");
        m.coltype[c] = t;
        if (t == 'S' && m.sclimit.empty()) m.sclimit.assign(m.ncols, 0.0);
        if (t == 'S') m.sclimit[c] = limit[e];
    }
    if (nsets > 0 && (!settype || !setstart || !setcol || !setref))
        return refuse("no set types, starts, members or weights");
    for (int s = 0; s < nsets; ++s) {
        int begin = setstart[s], end = setstart[s + 1];
        if (begin < 0 || end < begin)
            return refuse("set starts decrease at set " + std::to_string(s));
        xprs::Set set;
        set.type = settype[s];
        set.cols.assign(setcol + begin, setcol + end);
        set.refs.assign(setref + begin, setref + end);
        m.sets.push_back(std::move(set));
    }
    return 0;
}

int loadAll(Problem& p, xprs::Model&& m) {
    return xprs::loadModel(p, std::move(m));
}

}  // namespace

extern "C" {

XPRS_API int XPRS_CC XPRSinit(const char*) {
    std::lock_guard<std::mutex> lock(gMutex);
    ++gStarts;
    return 0;
}

XPRS_API int XPRS_CC XPRSfree(void) {
    std::lock_guard<std::mutex> lock(gMutex);
    if (gStarts == 0) return xprs::kNotStarted;
    --gStarts;
    return 0;
}

XPRS_API int XPRS_CC XPRSgetversion(char* version) {
    if (!version) return xprs::kBadArgument;
    // Kept under 32 characters: callers size the buffer for a short text.
    std::snprintf(version, 32, "xprs 1.0 CLP %s CBC %s", CLP_VERSION, CBC_VERSION);
    return 0;
}

XPRS_API int XPRS_CC XPRScreateprob(XPRSprob* prob) {
    if (!prob) return xprs::kBadArgument;
    *prob = nullptr;
    if (!started()) return xprs::kNotStarted;
    try {
        auto* p = new Problem();
        std::lock_guard<std::mutex> lock(gMutex);
        gProblems.insert(p);
        *prob = xprs::toHandle(p);
        return 0;
    } catch (...) {
        return xprs::kOutOfMemory;
    }
}

XPRS_API int XPRS_CC XPRSdestroyprob(XPRSprob prob) {
    Problem* p = nullptr;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        auto it = gProblems.find(xprs::toProblem(prob));
        if (it == gProblems.end()) return xprs::kBadHandle;
        p = *it;
        gProblems.erase(it);
    }
    delete p;
    return 0;
}

XPRS_API int XPRS_CC XPRSsetintcontrol(XPRSprob prob, int control, int value) {
    return guarded(prob, [&](Problem& p) { return setControl(p, control, value, true); });
}

XPRS_API int XPRS_CC XPRSsetdblcontrol(XPRSprob prob, int control, double value) {
    return guarded(prob, [&](Problem& p) { return setControl(p, control, value, false); });
}

XPRS_API int XPRS_CC XPRSgetintcontrol(XPRSprob prob, int control, int* value) {
    return guarded(prob, [&](Problem& p) {
        const xprs::ControlInfo* info = xprs::findControl(control);
        if (!info || !info->isInt)
            return p.fail(xprs::kBadControl, "unknown integer control " + std::to_string(control));
        if (!value) return p.fail(xprs::kBadArgument, "no output for the control value");
        *value = p.controls.intValue(control);
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSgetintattrib(XPRSprob prob, int attrib, int* value) {
    return guarded(prob, [&](Problem& p) {
        if (!value) return p.fail(xprs::kBadArgument, "no output for the attribute value");
        switch (attrib) {
            case XPRS_SIMPLEXITER:
                *value = p.results.simplexIter;
                return 0;
            case XPRS_LPSTATUS:
                *value = p.results.lpStatus;
                return 0;
            case XPRS_MIPSTATUS:
                *value = p.results.mipStatus;
                return 0;
            case XPRS_ERRORCODE:
                *value = p.errorCode;
                return 0;
            default:
                return p.fail(xprs::kBadArgument,
                              "unknown integer attribute " + std::to_string(attrib));
        }
    });
}

XPRS_API int XPRS_CC XPRSgetdblattrib(XPRSprob prob, int attrib, double* value) {
    return guarded(prob, [&](Problem& p) {
        if (!value) return p.fail(xprs::kBadArgument, "no output for the attribute value");
        switch (attrib) {
            case XPRS_LPOBJVAL:
                *value = p.results.lpObj;
                return 0;
            case XPRS_SUMPRIMALINF:
                *value = p.results.sumPrimalInf;
                return 0;
            case XPRS_MIPOBJVAL:
                *value = p.results.mipObj;
                return 0;
            case XPRS_BARDUALINF:
                *value = p.results.barDualInf;
                return 0;
            default:
                return p.fail(xprs::kBadArgument,
                              "unknown double attribute " + std::to_string(attrib));
        }
    });
}

XPRS_API int XPRS_CC XPRSloadlp(XPRSprob prob, const char* name, int ncols, int nrows,
                                const char rowtype[], const double rhs[], const double range[],
                                const double obj[], const int colstart[], const int collen[],
                                const int rowind[], const double value[], const double lb[],
                                const double ub[]) {
    return guarded(prob, [&](Problem& p) {
        xprs::Model m;
        if (int rc = assemble(p, m, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen,
                              rowind, value, lb, ub))
            return rc;
        return loadAll(p, std::move(m));
    });
}

XPRS_API int XPRS_CC XPRSloadqp(XPRSprob prob, const char* name, int ncols, int nrows,
                                const char rowtype[], const double rhs[], const double range[],
                                const double obj[], const int colstart[], const int collen[],
                                const int rowind[], const double value[], const double lb[],
                                const double ub[], int nqterms, const int qcol1[],
                                const int qcol2[], const double qcoef[]) {
    return guarded(prob, [&](Problem& p) {
        xprs::Model m;
        if (int rc = assemble(p, m, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen,
                              rowind, value, lb, ub))
            return rc;
        if (nqterms < 0 || (nqterms > 0 && (!qcol1 || !qcol2 || !qcoef)))
            return p.fail(xprs::kBadData, "problem not loaded: quadratic terms missing");
        m.qcol1.assign(qcol1, qcol1 + nqterms);
        m.qcol2.assign(qcol2, qcol2 + nqterms);
        m.qcoef.assign(qcoef, qcoef + nqterms);
        return loadAll(p, std::move(m));
    });
}

XPRS_API int XPRS_CC XPRSloadglobal(XPRSprob prob, const char* name, int ncols, int nrows,
                                    const char rowtype[], const double rhs[], const double range[],
                                    const double obj[], const int colstart[], const int collen[],
                                    const int rowind[], const double value[], const double lb[],
                                    const double ub[], int nentities, int nsets,
                                    const char enttype[], const int entcol[], const double limit[],
                                    const char settype[], const int setstart[], const int setcol[],
                                    const double setref[]) {
    return guarded(prob, [&](Problem& p) {
        xprs::Model m;
        if (int rc = assemble(p, m, name, ncols, nrows, rowtype, rhs, range, obj, colstart, collen,
                              rowind, value, lb, ub))
            return rc;
        if (int rc = addEntities(p, m, nentities, nsets, enttype, entcol, limit, settype, setstart,
                                 setcol, setref))
            return rc;
        return loadAll(p, std::move(m));
    });
}

XPRS_API int XPRS_CC XPRSaddnames(XPRSprob prob, int type, const char names[], int first,
                                  int last) {
    return guarded(prob, [&](Problem& p) { return xprs::addNames(p, type, names, first, last); });
}

XPRS_API int XPRS_CC XPRSgetlasterror(XPRSprob prob, char* text) {
    return guarded(prob, [&](Problem& p) {
        if (!text) return static_cast<int>(xprs::kBadArgument);
        std::snprintf(text, 512, "%s", p.lastError.c_str());
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSsetlogfile(XPRSprob prob, const char* file) {
    return guarded(prob, [&](Problem& p) {
        if (!p.log.open(file))
            return p.fail(xprs::kFileError, std::string("cannot open the log file ") + file);
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSreadbasis(XPRSprob prob, const char* file, const char*) {
    return guarded(prob, [&](Problem& p) { return xprs::readBasisFile(p, file); });
}

XPRS_API int XPRS_CC XPRSwritebasis(XPRSprob prob, const char* file, const char*) {
    return guarded(prob, [&](Problem& p) { return xprs::writeBasisFile(p, file); });
}

XPRS_API int XPRS_CC XPRSgetbasis(XPRSprob prob, int rowstat[], int colstat[]) {
    return guarded(prob, [&](Problem& p) { return xprs::getBasis(p, rowstat, colstat); });
}

XPRS_API int XPRS_CC XPRSwriteprob(XPRSprob prob, const char* file, const char* flags) {
    return guarded(prob, [&](Problem& p) { return xprs::writeMpsFile(p, file, flags); });
}

XPRS_API int XPRS_CC XPRSaddmipsol(XPRSprob prob, int length, const double values[],
                                   const int colind[], const char*) {
    return guarded(prob, [&](Problem& p) {
        if (!p.loaded) return p.fail(xprs::kNoProblem, "no problem loaded");
        if (length < 0 || length > p.model.ncols || (length > 0 && !values))
            return p.fail(xprs::kBadArgument, "start solution length out of range");
        std::vector<std::pair<int, double>> start;
        for (int k = 0; k < length; ++k) {
            int c = colind ? colind[k] : k;
            if (c < 0 || c >= p.model.ncols || !std::isfinite(values[k]))
                return p.fail(xprs::kBadArgument, "start solution entry " + std::to_string(k) +
                                                      " names no column or is not finite");
            start.emplace_back(c, values[k]);
        }
        p.mipStarts.push_back(std::move(start));
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSminim(XPRSprob prob, const char* flags) {
    return guarded(prob, [&](Problem& p) {
        p.beginOptimization();
        return xprs::solveLp(p, 1, flags);
    });
}

XPRS_API int XPRS_CC XPRSmaxim(XPRSprob prob, const char* flags) {
    return guarded(prob, [&](Problem& p) {
        p.beginOptimization();
        return xprs::solveLp(p, -1, flags);
    });
}

XPRS_API int XPRS_CC XPRSchgobjsense(XPRSprob prob, int sense) {
    return guarded(prob, [&](Problem& p) {
        if (sense != 1 && sense != -1)
            return p.fail(xprs::kBadArgument, "objective sense must be 1 or -1");
        if (sense != p.objsense) p.rootSolved = false;
        p.objsense = sense;
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSmipoptimize(XPRSprob prob, const char* flags) {
    return guarded(prob, [&](Problem& p) {
        p.beginOptimization();
        return xprs::mipOptimize(p, flags);
    });
}

XPRS_API int XPRS_CC XPRSdumpcontrols(XPRSprob prob) {
    return guarded(prob, [&](Problem& p) {
        for (const xprs::ControlInfo& c : xprs::allControls()) {
            double v = c.isInt ? p.controls.intValue(c.id) : p.controls.dblValue(c.id);
            if (v == c.defaultValue) continue;
            char text[128];
            std::snprintf(text, sizeof text, "%s = %.17g", c.name, v);
            p.info(text);
        }
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSgetscaledinfeas(XPRSprob prob, int* npv, int* nps, int* nds, int* ndv,
                                         int colsP[], int rowsP[], int rowsD[], int colsD[]) {
    return guarded(prob, [&](Problem& p) {
        return xprs::getScaledInfeasibilities(p, npv, nps, nds, ndv, colsP, rowsP, rowsD, colsD);
    });
}

XPRS_API int XPRS_CC XPRSgetunbvec(XPRSprob prob, int* index) {
    return guarded(prob, [&](Problem& p) { return xprs::getUnboundedVector(p, index); });
}

XPRS_API int XPRS_CC XPRSgetlpsol(XPRSprob prob, double x[], double slack[], double dual[],
                                  double dj[]) {
    return guarded(prob, [&](Problem& p) { return xprs::getLpSolution(p, x, slack, dual, dj); });
}

XPRS_API int XPRS_CC XPRSgetmipsol(XPRSprob prob, double x[], double slack[]) {
    return guarded(prob, [&](Problem& p) { return xprs::getMipSolution(p, x, slack); });
}

XPRS_API int XPRS_CC XPRSfixglobals(XPRSprob prob, int round) {
    return guarded(prob, [&](Problem& p) { return xprs::fixGlobals(p, round); });
}

XPRS_API int XPRS_CC XPRSsetcblplog(XPRSprob prob, XPRSlplogcallback callback, void* data) {
    return guarded(prob, [&](Problem& p) {
        p.lpCallback = callback;
        p.lpCallbackData = data;
        return 0;
    });
}

XPRS_API int XPRS_CC XPRSaddcbmessage(XPRSprob prob, XPRSmessagecallback callback, void* data,
                                      int) {
    return guarded(prob, [&](Problem& p) {
        p.log.setCallback(callback, data, prob);
        return 0;
    });
}

}  // extern "C"
