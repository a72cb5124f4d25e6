#include "platform/host/driver/solve_driver.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <limits>

#include <unistd.h>

#include "host/host_codes.h"
#include "platform/host/model/host_model.h"
#include "platform/host/vrim_host.h"

namespace corvane::host {

namespace {

volatile std::sig_atomic_t interruptFlag = 0;

constexpr char kStopRequested[] =
    "\ncorvane: interrupted: asking the solver to stop (Ctrl-C again ends at once)\n";

// Only calls that are safe in a signal handler: the solver may be anywhere, on any thread.
extern "C" void onInterruptSignal(int) {
    if (interruptFlag) _exit(kInterruptedExitStatus);
    interruptFlag = 1;
    const ssize_t written = write(STDERR_FILENO, kStopRequested, sizeof kStopRequested - 1);
    (void)written;
}

struct SummaryRecord {
    rt_cvgsum_t* summary = rtocvgsum_create();
    ~SummaryRecord() { rtocvgsum_destroy(summary); }
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void readSummary(const rt_cvgsum_t* summary, SolveRun& run) {
    run.hasStatus = rtocvgsum_get_int_item(summary, summary_item::kStatus, &run.status) != 0;
    run.hasObjective =
        rtocvgsum_get_real_item(summary, summary_item::kFinalObjective, &run.objective) != 0;
    run.hasIterations =
        rtocvgsum_get_int_item(summary, summary_item::kIterations, &run.iterations) != 0;
}

}  // namespace

PluginSession::~PluginSession() {
    close();
}

void PluginSession::close() {
    if (solver_)
        loader_.entryPoints().unload(nullptr, nullptr, nullptr, nullptr, nullptr, &library_);
    solver_ = nullptr;
    loader_.close();
}

void PluginSession::open(const std::string& pluginPath) {
    close();
    if (!loader_.open(pluginPath)) throw HostError(loader_.error());
    checkInterfaceVersion();
    std::string error;
    if (!bindPluginMembers(loader_, members_, error)) throw HostError(error);
    if (loader_.entryPoints().init(stderr, nullptr, nullptr, nullptr, nullptr, &library_) != 0)
        throw HostError("the plug-in did not add its solver to the solver library");
    solver_ = static_cast<RTMILSolver*>(library_.findSolver(kSolverName));
    if (!solver_)
        throw HostError("the plug-in's solver library holds no solver " + std::string(kSolverName));
}

void PluginSession::checkInterfaceVersion() {
    int major = 0;
    int minor = 0;
    if (loader_.entryPoints().version("ZOLSOLVER", &major, &minor) != 0)
        throw HostError("the plug-in implements no solver interface");
    if (major != kSolverInterfaceMajor)
        throw HostError("the plug-in implements solver interface " + std::to_string(major) + "." +
                        std::to_string(minor) + "; this host needs " +
                        std::to_string(kSolverInterfaceMajor) + ".x");
}

void PluginSession::startOptimizer() {
    if (members_.initializeXpress(solver_) != 0)
        throw HostError("the optimizer library (libxprs.so) could not be started");
}

SolveRun runSolve(RTMILSolver& solver, HostModel& host) {
    SummaryRecord record;
    if (!record.summary) throw HostError("no memory for the convergence summary");
    solver.setConvergenceSummary(record.summary);
    solver.setSetProvider(&host.sets());
    solver.preSolve();

    SolveRun run;
    run.resultCode = kNoResultYet;
    int requestCode = 0;
    for (int call = 0; requestCode != request::kFinished; ++call) {
        if (call == kMaxIterateCalls)
            throw HostError("the solver did not finish within " + std::to_string(kMaxIterateCalls) +
                            " iterate calls");
        const auto start = std::chrono::steady_clock::now();
        solver.iterate(&host.vars(), &host.eqns(), &host.derivs(), &host.objective(), &requestCode,
                       &run.solveDone, &run.resultCode);
        run.iterateSeconds[call < 2 ? call : 2] += secondsSince(start);
        run.requestCodes.push_back(requestCode);
        if (requestCode == request::kEquations) {
            host.evaluateResiduals();
        } else if (requestCode == request::kDerivatives) {
            host.evaluateDerivatives();
        } else if (requestCode != request::kFinished) {
            throw HostError("the solver asked for request code " + std::to_string(requestCode) +
                            ", which this host does not know");
        }
    }
    solver.postSolve();
    readSummary(record.summary, run);
    solver.setConvergenceSummary(nullptr);
    return run;
}

SolveOutcome outcomeOf(const SolveRun& run) {
    if (run.solveDone != 1 || !run.hasStatus) return SolveOutcome::NoSolution;
    if (run.status == status::kFailed && run.resultCode == kNoResultYet)
        return SolveOutcome::Interrupted;
    if (run.status == status::kSolved && run.resultCode == result::kSolved)
        return SolveOutcome::Solved;
    return SolveOutcome::NoSolution;
}

std::string basisFilePath(const std::string& logDir, int rankId) {
    const std::string base = logDir + "/xpress";
    return rankId < 0 ? base + ".bss" : base + "_" + std::to_string(rankId) + ".bss";
}

namespace {

bool hasDeadline = false;
std::clock_t deadline = 0;
bool deadlineHit = false;
InterruptControl::Fault fault = InterruptControl::Fault::None;

[[noreturn]] void hangForever() {
    for (;;) ::pause();
}

// Both callbacks run inside the optimizer's calls: the first of them to come meets the fault.
void reachTestFault() {
    if (fault == InterruptControl::Fault::Crash) std::raise(SIGSEGV);
    if (fault == InterruptControl::Fault::Hang) hangForever();
}

}  // namespace

bool InterruptControl::onIteration() {
    reachTestFault();
    if (interruptFlag != 0) return false;
    if (hasDeadline && std::clock() >= deadline) deadlineHit = true;
    return !deadlineHit;
}

bool InterruptControl::deadlineReached() {
    return deadlineHit;
}

void InterruptControl::watch(double stopSeconds, Fault testFault) {
    // A deadline beyond what the processor clock counts to is no deadline: converted, it would
    // wrap round to one that has passed.
    const std::clock_t now = std::clock();
    const double ticks = stopSeconds * CLOCKS_PER_SEC;
    hasDeadline = stopSeconds > 0 &&
                  ticks < static_cast<double>(std::numeric_limits<std::clock_t>::max() - now);
    deadlineHit = false;
    fault = testFault;
    if (hasDeadline) deadline = now + static_cast<std::clock_t>(ticks);
    interruptFlag = 0;
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

// After a Ctrl-C the handler stays, so that the next one still ends the program at once.
void InterruptControl::stopWatching() {
    if (!interruptFlag) std::signal(SIGINT, SIG_DFL);
}

bool InterruptControl::requested() {
    return interruptFlag != 0;
}

void StderrMessages::onMessage(const char* text, int length, int, bool) {
    reachTestFault();
    if (quiet_ || !text || length <= 0) return;
    std::fwrite(text, 1, static_cast<size_t>(length), stderr);
    if (text[length - 1] != '\n') std::fputc('\n', stderr);
}

}  // namespace corvane::host
