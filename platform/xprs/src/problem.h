// The state behind one problem handle: the loaded model, its controls, the CLP model that carries
// the continuous problem and its basis, the last results, and the log.
#ifndef CORVANE_XPRS_PROBLEM_H
#define CORVANE_XPRS_PROBLEM_H

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "optimizer/xprs.h"

class ClpSimplex;
class CoinMessageHandler;

namespace xprs {

// Error codes held in the error code attribute.
enum ErrorCode {
    kOk = 0,
    kNotStarted = 1,
    kBadHandle = 2,
    kBadArgument = 3,
    kBadControl = 4,
    kBadValue = 5,
    kBadData = 6,
    kNoProblem = 7,
    kNoSolution = 8,
    kFileError = 9,
    kOutOfMemory = 10,
    kInternal = 11,
};

constexpr double kInfinity = 1e20;
// Coefficients of this magnitude or more are refused at load: CLP and CBC abort on them.
constexpr double kLargestCoefficient = 1e20;
// The LP-log callback is asked at least this often (nanoseconds) while an optimization runs.
constexpr std::int64_t kAskInterval = 100000000;

struct Set {
    char type = '1';
    std::vector<int> cols;
    std::vector<double> refs;
};

// Names given with XPRSaddnames, kept in one buffer. A name given again is appended and its old
// text left unused until the unused part outgrows the rest. An empty name stands for the default.
class Names {
  public:
    // Takes the names of entries first to last of count, each ended by a zero byte.
    void assign(int count, int first, int last, const char* names);
    std::string_view operator[](int i) const {
        if (i >= static_cast<int>(entries_.size())) return {};
        return std::string_view(text_.data() + entries_[i].begin, entries_[i].length);
    }

  private:
    struct Entry {
        size_t begin = 0;
        size_t length = 0;
    };
    void compact();
    std::string text_;
    std::vector<Entry> entries_;
    size_t used_ = 0;  // characters of the current names, without their ending zero bytes
};

// The problem exactly as it was loaded, in the interface's terms.
struct Model {
    std::string name;
    int ncols = 0;
    int nrows = 0;
    std::vector<char> rowtype;
    std::vector<double> rhs, range, obj, lb, ub;
    std::vector<int> start, index;  // column-wise matrix, starts of length ncols + 1
    std::vector<double> value;
    std::vector<int> qcol1, qcol2;  // quadratic terms as given, each pair once
    std::vector<double> qcoef;
    std::vector<char> coltype;    // 'C', 'I', 'B' or 'S'
    std::vector<double> sclimit;  // by column, read for 'S' columns only; empty without them
    std::vector<Set> sets;
    Names rownames, colnames;

    double rowLower(int r) const;
    double rowUpper(int r) const;
    std::string rowName(int r) const;
    std::string colName(int c) const;
    // Append the name, the given one or R1, C1, ... by position, to out.
    void appendRowName(std::string& out, int r) const;
    void appendColName(std::string& out, int c) const;
};

// CLP's model leaves the free ('N') rows out: they bound nothing, and the objective row that
// callers repeat as a free row would be the densest row of the matrix. This relates the loaded
// rows to CLP's rows, and keeps the entries of the free rows by row so that their activities can
// be computed from a column solution. Without free rows the numbering is the same and the maps
// stay empty.
struct RowMap {
    std::vector<int> toClp;      // loaded row -> CLP row, or -1 - f for the free row freeRows[f]
    std::vector<int> toLoaded;   // CLP row -> loaded row
    std::vector<int> freeRows;   // the loaded free rows, ascending
    std::vector<int> freeStart;  // entries of free row f: freeStart[f] to freeStart[f + 1]
    std::vector<int> freeCol;
    std::vector<double> freeValue;

    bool same() const { return toClp.empty(); }
    int clp(int r) const { return same() ? r : toClp[r]; }
    int loaded(int k) const { return same() ? k : toLoaded[k]; }
    // Activity of free row f (an index into freeRows) at the column solution x.
    double freeActivity(size_t f, const double* x) const {
        double a = 0.0;
        for (int k = freeStart[f]; k < freeStart[f + 1]; ++k) a += freeValue[k] * x[freeCol[k]];
        return a;
    }
};

struct ControlInfo {
    int id;
    bool isInt;
    double defaultValue;
    double low;  // valid range, inclusive unless lowOpen
    double high;
    bool lowOpen;
    const char* name;
};

const ControlInfo* findControl(int id);
const std::vector<ControlInfo>& allControls();

class Controls {
  public:
    Controls();
    int intValue(int id) const;
    double dblValue(int id) const;
    void set(int id, double value) { values_[id] = value; }

  private:
    std::map<int, double> values_;
};

struct Results {
    int simplexIter = 0;
    int lpStatus = 0;
    int mipStatus = 0;
    double lpObj = 0.0;
    double sumPrimalInf = 0.0;
    double mipObj = 0.0;
    double barDualInf = 0.0;
};

// Hands every log line to the log file and the message callback. Lines produced on another
// thread than the one running the call are held and delivered on the calling thread.
class Log {
  public:
    ~Log();
    bool open(const char* file);
    void setCallback(XPRSmessagecallback cb, void* data, XPRSprob owner);
    void line(const std::string& text, int type);
    void beginCall();
    void flushPending();
    bool wanted() const { return file_ != nullptr || callback_ != nullptr; }

  private:
    void deliver(const std::string& text, int type);
    std::FILE* file_ = nullptr;
    XPRSmessagecallback callback_ = nullptr;
    void* data_ = nullptr;
    XPRSprob owner_ = nullptr;
    std::thread::id caller_;
    std::mutex mutex_;
    std::vector<std::pair<std::string, int>> pending_;
};

struct Problem {
    Problem();
    ~Problem();

    Model model;
    Controls controls;
    Results results;
    Log log;
    std::unique_ptr<CoinMessageHandler> messages;  // declared before lp, which refers to it
    std::unique_ptr<ClpSimplex> lp;  // the continuous problem, with the basis of the last solve
    RowMap rows;                     // the loaded rows in lp
    bool loaded = false;
    bool hasBasis = false;
    int objsense = 1;
    int lastSolveSense = 1;
    bool rootSolved = false;     // the relaxation of mipoptimize "l" is in lp and still valid
    std::vector<double> ownRay;  // the library's own proof of unboundedness, when CLP has none
    std::vector<double> mipSolution;
    std::vector<std::vector<std::pair<int, double>>> mipStarts;

    int errorCode = 0;
    std::string lastError;
    XPRSlplogcallback lpCallback = nullptr;
    void* lpCallbackData = nullptr;
    // The LP-log callback asked to stop the running optimization. Set from whichever thread
    // reached the log point, read by all of them; cleared when the next optimization begins.
    std::atomic<bool> stopRequested{false};

    // Starts an optimization: no stop asked yet, and the clock of the callback restarts.
    void beginOptimization();
    // A log point of the running optimization, on any of its threads: asks the LP-log callback
    // when due, or when kAskInterval has passed since it was last asked, so that a stop can be
    // asked for promptly whatever the log frequency. Calls are made one at a time. True when the
    // optimization is to stop.
    bool logPoint(bool due);
    std::mutex callbackMutex;
    std::atomic<std::int64_t> lastAsk{0};  // steady clock, nanoseconds

    // CLP's barrier prints its factor's size and other notes to standard output, not to its
    // message handler, whenever the handler's log level is above 0, and it does so before its
    // first iteration. The level stays 0 from here until that iteration (or the end of the
    // solve), when the level saved here is put back.
    void quietenBarrierStart();
    void endQuietBarrierStart();
    int deferredLogLevel = -1;

    int fail(int code, const std::string& text);
    void info(const std::string& text) { log.line(text, 1); }
    void warning(const std::string& text) { log.line(text, 3); }
};

inline Problem* toProblem(XPRSprob p) {
    return reinterpret_cast<Problem*>(p);
}
inline XPRSprob toHandle(Problem* p) {
    return reinterpret_cast<XPRSprob>(p);
}

// Loading (model.cpp).
int loadModel(Problem& p, Model&& m);
int addNames(Problem& p, int type, const char* names, int first, int last);

// Solving (lp.cpp, mip.cpp).
// forSearch: the relaxation that starts an integer search, as the `l` flag also says.
int solveLp(Problem& p, int sense, const char* flags, bool forSearch = false);
// CBC's preprocessing can declare feasible problems infeasible with a primal tolerance as loose
// as the LP default (seen on enigma), so the search never runs looser than this.
constexpr double kSearchPrimalTolerance = 1e-7;
// CBC's own dual tolerance: a looser one (1e-6, the LP default) sends the search down other
// branches, and on some problems through many times the nodes.
constexpr double kSearchDualTolerance = 1e-7;
constexpr double kSearchIntegerTolerance = 1e-7;
// The continuous problem with a quadratic objective, from lp's current basis if it has one:
// solves it, checks the answer at its point, and records the status, results and basis.
void solveQuadratic(Problem& p, ClpSimplex& lp);
int mipOptimize(Problem& p, const char* flags);
int fixGlobals(Problem& p, int round);
void applyLpControls(Problem& p, ClpSimplex& lp);
// Makes the LP-log callback's log points part of lp's solves (and of the copies made of it).
void passInLogPoints(Problem& p, ClpSimplex& lp);
int logLevel(const Problem& p, int control);
// Whether the matrix's entries span more than 12 orders of magnitude.
bool entriesTooWide(const ClpSimplex& lp);

// Solution queries (solution.cpp).
int getLpSolution(Problem& p, double x[], double slack[], double dual[], double dj[]);
int getMipSolution(Problem& p, double x[], double slack[]);
int getBasis(Problem& p, int rowstat[], int colstat[]);
int getScaledInfeasibilities(Problem& p, int* npv, int* nps, int* nds, int* ndv, int colsP[],
                             int rowsP[], int rowsD[], int colsD[]);
int getUnboundedVector(Problem& p, int* index);

// Files (files.cpp).
int writeBasisFile(Problem& p, const char* file);
int readBasisFile(Problem& p, const char* file);
int writeMpsFile(Problem& p, const char* file, const char* flags);

}  // namespace xprs

#endif
