// The plug-in's solver: the one object that holds all solver state.
//
// The host drives it through the virtual operations of its bases; a solve is three calls of
// `iterate` (reverse communication). Members are declared in a fixed order, each with its value
// at construction, and are public: the exported class is the plug-in's interface to the programs
// that link it directly, and its layout is part of that interface (pinned below the class).
//
// Its operations live in files by concern: the lifecycle in solver/, the parameters in params/,
// the solve in solve/.
#ifndef CORVANE_SOLVER_ZOL_XPRESS_H
#define CORVANE_SOLVER_ZOL_XPRESS_H

#include <fstream>
#include <string>
#include <vector>

#include "host/corvane_api.h"
#include "host/rt_solver.h"
#include "optimizer/xprs.h"

namespace corvane {
struct RunFileNames;
struct BasisTiming;
struct SolveContext;
struct DataError;
enum class SolveEnding;
}  // namespace corvane

class CORVANE_API ZOLXpress : public RTMILSolver {
  public:
    ZOLXpress();
    // Runs CleanUp and releases everything else the solver owns.
    ~ZOLXpress();
    // Slot 0: the destructor above, then the storage when flags has corvane::kFreeStorage.
    void* deletingDestructor(unsigned int flags) override;
    ZOLXpress(const ZOLXpress&) = delete;
    ZOLXpress& operator=(const ZOLXpress&) = delete;

    // Parameters.
    int inqNumIntParam() const override;
    int inqNumRealParam() const override;
    int inqNumStringParam() const override;
    parameterType validParam(const char* name) const override;
    void inqIntParam(int index, char* name, int& value) const override;
    int inqIntParam(const char* name) const override;
    void setIntParam(const char* name, int value) override;
    void inqRealParam(int index, char* name, double& value) const override;
    double inqRealParam(const char* name) const override;
    void setRealParam(const char* name, double value) override;
    void inqStringParam(int index, char* name, char* value) const override;
    const char* inqStringParam(const char* name) const override;
    void setStringParam(const char* name, const char* value) override;

    const char* Description(const char* name) const override;
    void setConvergenceSummary(rt_cvgsum_t* summary) override;
    void preSolve() override;
    void postSolve() override;
    int writesIterationHistory() const override;

    void iterate(VarProvider* vars, EqnProvider* eqns, DerivProvider* derivs, ObjProvider* obj,
                 int* requestCode, int* solveDone, int* resultCode) override;

    // Frees the run arrays and the optimizer problem; a second call does nothing.
    void CleanUp();
    // Starts the optimizer library: 0, or -3 when it cannot be started.
    int InitializeXpress();
    void InitDefSolverParameters();
    // Builds the column-wise matrix, the objective as row 0, from the host's Jacobian.
    void XPRSCompressJacobian(DerivProvider* derivs, EqnProvider* eqns);
    // Applies the parameters to the new optimizer problem as controls.
    void SetSolverParametersNew();
    // One run-log line: the text, then the value in the stream's default form.
    void WriteSolverParam(std::string text, double value);

    int numVars = 0;
    int numRows = 0;  // equations plus the objective row 0
    int numJacElements = 0;
    int numObjTerms = 0;
    int numEntities = 0;
    int numSets = 0;
    int iteratePhase = 1;  // 1, 2 or 3: which call of the solve comes next
    int numQuadTerms = 0;
    bool solveAsMip = false;
    bool isQuadratic = false;
    bool relaxMipRun = false;
    int mipWarmStartMode = 1;
    bool warmStartPending = true;
    bool keepFirstStartPoint = true;
    int iterationCount = 0;
    double objectiveValue = 0.0;
    bool interruptRequested = false;
    bool passNames = true;
    bool basisIgnored = false;
    int numIntParams;
    int numRealParams;
    int numStringParams;
    int runCounter = -1;

    // Integer parameters.
    int algorithm;         // IALG
    int presolve;          // IFPRES
    int scaling;           // IFSCAL
    int variableScaling;   // IVSCAL
    int lpLog;             // ITRLOG
    int crash;             // ICRASH
    int warmStart;         // WSTART
    int pricing;           // DEVEX
    int writeProblemFile;  // REPORT
    int applyParameters;   // IPSLCT
    int relaxMip;          // RELMIP
    int fixMip;            // FIXMIP
    int maxNode;           // MAXNODE
    int maxMipSol;         // MAXMIPSOL
    int nodeSelection;     // NODESELECTION
    int backtrack;         // BACKTRACK
    int mipLog;            // MIPLOG
    int cutStrategy;       // CUTSTRATEGY
    int presolveOps;       // PRESALG
    int xwrite;            // XWRITE
    int threads;           // IBARTHREAD
    int rankId;            // RANKID
    int maxLpIter;         // MAXLPITER
    int parallelMip;       // PARALLELMIP
    int maxScaleFactor;    // MAXSCALEFACTOR
    int mipWarmStart;      // MIPWARMSTART
    int maxMipTime;        // MAXBBMIPTIME
    int heurSearchFreq;    // HEURSEARCHFREQ

    // Real parameters.
    double feasibilityTol;    // ZTOLZE
    double optimalityTol;     // ZTCOST
    double etaTol;            // ZTETA
    double matrixTol;         // ZTOLDA
    double mipAbsStop;        // OPTCA
    double mipRelStop;        // OPTCR
    double integerTol;        // ZTOLIS
    double pivotTol;          // ZTOLPV
    double relPivotTol;       // ZTOLRP
    double markowitzTol;      // ZTOLRI
    double mipRelCutoff;      // PERCUT
    double heurSearchEffort;  // HEURSEARCHEFFORT

    char parameterDescription[64];
    char logDir[256];  // LOGDIR, always NUL-terminated

    std::ofstream logStream;
    std::ofstream infeasibilityStream;

    XPRSprob problemHandle = nullptr;

    // Run arrays: allocated during a solve, freed by CleanUp.
    int* colStart = nullptr;
    int* rowIndex = nullptr;
    int* entityCols = nullptr;
    int* quadCol1 = nullptr;
    int* quadCol2 = nullptr;
    int* colBasis = nullptr;
    int* rowBasis = nullptr;
    double* matValue = nullptr;
    double* objCoef = nullptr;
    double* solution = nullptr;
    double* rhs = nullptr;
    double* rowDual = nullptr;
    double* rowSlack = nullptr;
    double* startPoint = nullptr;
    double* colScale = nullptr;
    double* firstStartPoint = nullptr;  // not a run array: kept from the first solve on
    double* colLower = nullptr;
    double* colUpper = nullptr;
    double* quadCoef = nullptr;
    double* entityLimit = nullptr;
    char* entityType = nullptr;
    char* rowType = nullptr;
    char* colNames = nullptr;
    char* rowNames = nullptr;
    char* setType = nullptr;
    int* objVarIndex = nullptr;
    int* setStart = nullptr;
    std::vector<int> setMembers;  // storage kept between solves
    std::vector<int> setCols;
    double* setRef = nullptr;
    double* objFirstDeriv = nullptr;
    double* objSecondDeriv = nullptr;

    rt_cvgsum_t* convergenceSummary = nullptr;

  private:
    // Entry checks and the first two calls.
    bool providersPresent(corvane::SolveContext& context);
    void recordStartPoint(corvane::SolveContext& context);
    void chooseColumnScales(VarProvider* vars);
    void takeRightHandSides(corvane::SolveContext& context);

    // The third call, step by step, and the one way a solve ends.
    void solveProblem(corvane::SolveContext& context);
    bool checkHostData(corvane::SolveContext& context);
    bool createProblem(corvane::SolveContext& context);
    bool assembleProblem(corvane::SolveContext& context);
    void loadProblem(corvane::SolveContext& context);
    void optimizeProblem(corvane::SolveContext& context);
    void retrieveSolutionOrFailure(corvane::SolveContext& context);
    void interpretStatus(corvane::SolveContext& context);
    bool createOptimizerProblem(corvane::SolveContext& context);
    void connectMessages();
    void openLog(corvane::SolveContext& context);
    bool failOnData(corvane::SolveContext& context, const corvane::DataError& error);
    void endSolve(corvane::SolveContext& context, corvane::SolveEnding ending);

    // Checks of the host's data.
    corvane::DataError readProviderCounts(VarProvider* vars, EqnProvider* eqns);
    corvane::DataError checkBounds(VarProvider* vars) const;
    corvane::DataError checkStartPoint() const;
    corvane::DataError checkCounts() const;
    corvane::DataError checkJacobian(DerivProvider* derivs) const;
    corvane::DataError checkObjectiveIndices() const;

    // Assembly.
    corvane::DataError readSets();
    corvane::DataError readSetMembers(const std::vector<int>& types);
    int countEntityCandidates(VarProvider* vars) const;
    void allocateProblemArrays(int entityCandidates);
    void allocateResultArrays();
    void releaseLoadedMatrix();
    void releaseObjectiveEntries();
    void packNames(VarProvider* vars, EqnProvider* eqns);
    void assembleRows(EqnProvider* eqns);
    void assembleColumns(VarProvider* vars);
    void fixAtCurrentValue(int column, int kind, double value);
    void addEntity(int column, int kind, double hostLower, double hostUpper);
    corvane::DataError assembleObjective(corvane::SolveContext& context);
    void assembleQuadraticTerms(int sense);
    void assembleLinearObjective(int sense);
    int loadAsQpMipOrLp();
    void reportLoadFailure(int* resultCode);
    void reportDroppedEntities();
    int addNames();

    // Parameters to controls.
    void setIntControl(int control, int value, const char* refusal);
    void setDoubleControl(int control, double value, const char* refusal);
    void setDoubleControl(int control, double value, const char* refusal, double shown);
    void setThreadControls();

    // Run files and the run log.
    corvane::RunFileNames openRunLog();
    void moveLogToEnd();
    // The one way a line reaches the run log: its parts in the stream's default form, then a line
    // end that flushes.
    template <typename... Parts>
    void logLine(const Parts&... parts) {
        (logStream << ... << parts) << std::endl;
    }
    void logLastError();
    int optimizerErrorCode();
    void readSavedBasis(corvane::SolveContext& context);
    void saveProblemFile();
    void checkBasisRestorationTime(const corvane::BasisTiming& timing);
    void saveBasisAfterMip(const corvane::RunFileNames& names, int* resultCode);
    void saveOrRemoveBasis(const corvane::RunFileNames& names, int resultCode);

    // Optimization and status.
    void setStatus(int status);
    void offerMipStart(const double* start);
    void warmStartMip();
    void warmStartFromFirstStartPoint();
    void searchMip(int sense);
    void optimize(corvane::SolveContext& context);
    void interpretLpStatus(corvane::SolveContext& context);
    void reportInfeasibleLp(corvane::SolveContext& context, int status);
    void interpretMipStatus(corvane::SolveContext& context);
    void reportCoded(int* resultCode, int result, int status, const char* text, int code);
    void readIterationsAndObjective(int objectiveAttribute);
    void reportObjective();
    void openReport(const corvane::SolveContext& context);
    void reportUnboundedness(corvane::SolveContext& context);
    void reportInfeasibilities(corvane::SolveContext& context, bool mipForm);

    // The solution.
    void retrieveSolution(corvane::SolveContext& context);
    bool solutionTaken(const corvane::SolveContext& context) const;
    void writeBackSolution(corvane::SolveContext& context);
    void writeBackColumns(VarProvider* vars);
    void writeBackRows(EqnProvider* eqns);
    void writeBackBasis(VarProvider* vars, EqnProvider* eqns);
    void returnStartValues(corvane::SolveContext& context);

    // Lengths of the arrays the first two calls sized: `startPoint` and `colScale`, and `rhs`.
    int startPointVars = 0;
    int rhsRows = 0;
    // Length of `firstStartPoint`: the column count of the object's first solve.
    int firstStartPointVars = 0;
};

// Programs that link the class read its members where this layout puts them: a member added,
// removed, moved or retyped breaks them, and whoever does it on purpose changes these numbers with
// it. (A new run array also joins the list CleanUp walks.)
#if defined(__x86_64__) && defined(__linux__) && defined(__GLIBCXX__)
static_assert(sizeof(ZOLXpress) == 1984 && alignof(ZOLXpress) == 8, "ZOLXpress's layout changed");
#elif defined(__i386__) && defined(__MINGW32__)
static_assert(sizeof(ZOLXpress) == 1280 && alignof(ZOLXpress) == 8, "ZOLXpress's layout changed");
#endif

// Module-wide: the number of hardware threads, read once when the module is loaded.
extern int hardwareThreads;

#endif
