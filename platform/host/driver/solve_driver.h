// Drives the plug-in's solver as the host framework does: load the library, add the solver to a
// solver library, start the optimizer, and run a solve as the dialogue of `iterate` calls.
#ifndef CORVANE_PLATFORM_HOST_DRIVER_SOLVE_DRIVER_H
#define CORVANE_PLATFORM_HOST_DRIVER_SOLVE_DRIVER_H

#include <stdexcept>
#include <string>
#include <vector>

#include "host/rt_solver.h"
#include "platform/host/driver/plugin_abi.h"
#include "platform/host/plugin_loader.h"
#include "platform/host/solver_registry.h"

namespace corvane::host {

class HostModel;

// The plug-in or the optimizer library cannot be used.
class HostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The solver interface versions this host is written for.
constexpr int kSolverInterfaceMajor = 11;
constexpr const char* kSolverName = "XPRESS";

// One loaded plug-in with its solver added to a library; the destructor removes the solver.
class PluginSession {
  public:
    PluginSession() = default;
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // Throws HostError with the reason.
    void open(const std::string& pluginPath);
    // InitializeXpress; throws HostError when the optimizer library cannot be started.
    void startOptimizer();

    RTMILSolver& solver() { return *solver_; }
    const PluginEntryPoints& entryPoints() const { return loader_.entryPoints(); }
    const PluginMembers& members() const { return members_; }

  private:
    void checkInterfaceVersion();
    void close();

    PluginLoader loader_;
    SolverRegistry library_;
    PluginMembers members_;
    RTMILSolver* solver_ = nullptr;
};

// The result code each solve starts with. The solver writes its own code only where a stage of
// the solve has an outcome; an interrupted solve, or a MIP search that ends in a status the solver
// does not interpret, leaves this value in place.
constexpr int kNoResultYet = -1;

struct SolveRun {
    std::vector<int> requestCodes;  // as each iterate call returned them
    double iterateSeconds[3] = {0.0, 0.0, 0.0};
    int solveDone = 0;
    int resultCode = kNoResultYet;
    bool hasStatus = false;
    int status = 0;
    bool hasObjective = false;
    double objective = 0.0;  // "FINAL_OBJ", without the model's constant
    bool hasIterations = false;
    int iterations = 0;
};

// What a solve came to. The result code alone cannot say: an interrupted solve leaves it as the
// host passed it in.
enum class SolveOutcome {
    Solved,       // result code 0 with "STATUS" 1
    Interrupted,  // "STATUS" 8 with the result code still at kNoResultYet
    NoSolution,   // every other ending
};

SolveOutcome outcomeOf(const SolveRun& run);

// More calls than a solve takes mean a solver that does not finish.
constexpr int kMaxIterateCalls = 16;

// One solve: the convergence summary and set provider handed over, preSolve, iterate until the
// solver asks for nothing more, each request evaluated on `host`, postSolve, the summary read.
// Throws HostError on a request code the host does not know or a solve that does not end.
SolveRun runSolve(RTMILSolver& solver, HostModel& host);

// The basis file the solver reads with "WSTART" 1 for these "LOGDIR" and "RANKID" values.
std::string basisFilePath(const std::string& logDir, int rankId);

// The exit status of a program ended by Ctrl-C, as shells report one.
constexpr int kInterruptedExitStatus = 130;

// Ctrl-C during a solve: the first asks the solver to stop at its next log point and says so on
// standard error at once; the second ends the program at once with kInterruptedExitStatus.
class InterruptControl : public ControlCallBack {
  public:
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    bool onIteration() override;
    // For tests of what runs the solves: a solve that crashes or hangs inside the optimizer.
    enum class Fault { None, Crash, Hang };
    // Installs the handler and forgets an earlier Ctrl-C. With `stopSeconds` above 0 the solver
    // is also asked to stop once the process has used that many more processor seconds: the
    // optimizer's own time limits count them too, and they do not depend on the machine's load.
    static void watch(double stopSeconds = 0.0, Fault fault = Fault::None);
    // The solver was asked to stop because the seconds given to watch() had passed.
    static bool deadlineReached();
    // Gives Ctrl-C back its usual effect, unless one came: then the next still ends the program
    // with kInterruptedExitStatus.
    static void stopWatching();
    static bool requested();
};

// Optimizer messages to standard error as they come, unless quiet.
class StderrMessages : public MessageCallBack {
  public:
    explicit StderrMessages(bool quiet) : quiet_(quiet) {}
    void* deletingDestructor(unsigned int flags) override { return destroyObject(this, flags); }
    void onMessage(const char* text, int length, int type, bool parallelMip) override;

  private:
    bool quiet_;
};

}  // namespace corvane::host

#endif
