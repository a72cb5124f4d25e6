// A worker's child processes: each solves one model exactly as `corvane solve` does and sends its
// summary row back, so that a model that crashes the optimizer or never ends costs only itself.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/host_codes.h"
#include "platform/host/cli/batch.h"
#include "platform/host/cli/commands.h"
#include "platform/host/model/model_reader.h"

namespace corvane::host {

namespace {

using Clock = std::chrono::steady_clock;

// About thirty years: the longest wait the clock is asked to count.
constexpr double kLongestWaitSeconds = 1e9;

// The children that run now, for the handler of a second Ctrl-C; a fixed array, since the
// handler may read it at any moment.
constexpr int kMaxChildren = 1024;
volatile pid_t children[kMaxChildren];
volatile std::sig_atomic_t batchInterrupts = 0;

constexpr char kStopping[] =
    "\ncorvane: interrupted: stopping the running solves (Ctrl-C again ends at once)\n";

extern "C" void onBatchInterrupt(int) {
    if (batchInterrupts) {
        for (int i = 0; i < kMaxChildren; ++i)
            if (children[i] > 0) ::kill(children[i], SIGKILL);
        _exit(kInterruptedExitStatus);
    }
    batchInterrupts = 1;
    const ssize_t written = ::write(STDERR_FILENO, kStopping, sizeof kStopping - 1);
    (void)written;
}

// Removes the first of the suffixes that the name ends with, in any case; false if none.
bool stripSuffix(std::string& name, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes) {
        const size_t length = std::strlen(suffix);
        if (name.size() <= length) continue;
        const bool matches = std::equal(
            name.end() - length, name.end(), suffix,
            [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
        if (!matches) continue;
        name.resize(name.size() - length);
        return true;
    }
    return false;
}

// The file name without its compression suffix, and whether a format suffix came off after it.
std::string stemOf(const std::string& model, bool& formatFound) {
    std::string name = std::filesystem::path(model).filename().string();
    stripSuffix(name, {".gz", ".bz2"});
    formatFound = stripSuffix(name, {".mps", ".lp", ".qps"});
    return name;
}

}  // namespace

std::string solutionName(const std::string& model) {
    bool formatFound = false;
    return stemOf(model, formatFound);
}

bool hasModelSuffix(const std::string& path) {
    bool formatFound = false;
    stemOf(path, formatFound);
    return formatFound;
}

namespace {

void sendLine(int fd, const std::string& tag, const BatchRow& row) {
    const std::string line = tag + csvLine(row) + "\n";
    size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::write(fd, line.data() + sent, line.size() - sent);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

std::string outcomeOf(const ModelReport& report) {
    if (report.timeLimitReached) return "time_limit";
    switch (corvane::host::outcomeOf(report.run)) {
        case SolveOutcome::Solved:
            return "solved";
        case SolveOutcome::Interrupted:
            return "interrupted";
        case SolveOutcome::NoSolution:
            break;
    }
    if (report.run.hasStatus && report.run.status == status::kInfeasible) return "infeasible";
    if (report.run.hasStatus && report.run.status == status::kUnbounded) return "unbounded";
    return "not_solved";
}

BatchRow rowOfRead(const std::string& model, int rank, const ModelReport& report) {
    BatchRow row;
    row.model = model;
    row.rank = rank;
    row.rows = report.rows;
    row.columns = report.columns;
    row.nonzeros = report.nonzeros;
    row.kind = report.kind;
    row.readSeconds = report.readSeconds;
    row.outcome = "crashed";  // stands if nothing more comes
    return row;
}

BatchRow rowOfSolve(const std::string& model, int rank, const ModelReport& report) {
    BatchRow row = rowOfRead(model, rank, report);
    const SolveRun& run = report.run;
    if (run.hasStatus) row.status = run.status;
    row.resultCode = run.resultCode;
    if (report.header.objective) row.objective = *report.header.objective;
    row.iterations = report.header.iterations;
    row.solveSeconds = report.solveSeconds;
    row.outcome = outcomeOf(report);
    return row;
}

[[noreturn]] void runChild(const BatchCommand& batch, int rank, const std::string& model, int fd) {
    std::signal(SIGINT, SIG_DFL);
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        // The solver's own interrupt line goes to standard output: the batch's output is its own.
        ::dup2(null, STDOUT_FILENO);
    }
    SolveCommand command;
    command.pluginPath = batch.pluginPath;
    command.modelPath = model;
    command.settings = batch.settings;
    command.settings.push_back("RANKID=" + std::to_string(rank));
    command.logDir = batch.logDir;
    if (!batch.solutionsDir.empty())
        command.solutionFile = batch.solutionsDir + "/" + solutionName(model) + ".json";
    command.quiet = true;
    command.timeLimit = batch.timeLimit;
    command.threads = batch.threads;
    SolveHooks hooks;
    hooks.afterRead = [&](const ModelReport& report) {
        sendLine(fd, "read ", rowOfRead(model, rank, report));
    };
    BatchRow row;
    row.model = model;
    row.rank = rank;
    try {
        row = rowOfSolve(model, rank, solveModelFile(command, hooks));
    } catch (const ModelFileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        row.outcome = "refused";
    } catch (const ModelError& error) {
        std::fprintf(stderr, "corvane: %s: %s\n", model.c_str(), error.what());
        row.outcome = "refused";
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane: %s: %s\n", model.c_str(), error.what());
        row.outcome = "not_solved";
    }
    std::fflush(stderr);
    sendLine(fd, "done ", row);
    _exit(0);
}

// The processor seconds a child has used, all its threads, as the kernel counts them.
double childCpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    // The command name in parentheses may hold blanks: the fields follow its closing one.
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return 0.0;
    std::istringstream fields(text.substr(close + 2));
    std::string skipped;
    for (int field = 3; field < 14; ++field) fields >> skipped;
    double user = 0;
    double system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

void watchBatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = onBatchInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void stopWatchingBatchInterrupts() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

bool batchInterrupted() {
    return batchInterrupts != 0;
}

void trackChild(pid_t pid) {
    for (int i = 0; i < kMaxChildren; ++i)
        if (children[i] == 0) {
            children[i] = pid;
            return;
        }
}

void untrackChild(pid_t pid) {
    for (int i = 0; i < kMaxChildren; ++i)
        if (children[i] == pid) children[i] = 0;
}

ModelRunner::~ModelRunner() {
    kill();
}

void ModelRunner::start(const std::string& model) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    std::fflush(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        throw std::runtime_error(std::string("cannot start a solve: ") + std::strerror(errno));
    }
    if (pid == 0) {
        // A child ends with its worker, and a Ctrl-C at the terminal reaches the worker alone,
        // which passes one stop on to each child.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) _exit(1);
        ::setpgid(0, 0);
        ::close(pipeFds[0]);
        runChild(command_, rank_, model, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    trackChild(pid);
    pid_ = pid;
    fd_ = pipeFds[0];
    model_ = model;
    pending_.clear();
    readRow_.reset();
    doneRow_.reset();
    killAt_.reset();
    killedForTime_ = false;
    interrupted_ = false;
    started_ = solving_ = Clock::now();
}

void ModelRunner::readPipe() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending_.append(buffer, static_cast<size_t>(n));
    }
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        BatchRow row;
        if (line.rfind("read ", 0) == 0 && parseCsvLine(line.substr(5), row)) {
            readRow_ = row;
            solving_ = Clock::now();
            if (command_.timeLimit > 0) {
                stopSeconds_ = clientStopSeconds(command_.timeLimit, row.kind == "MIP");
                startCpu_ = childCpuSeconds(pid_);
                // Capped, so that a huge limit cannot overflow the clock into a past instant.
                const double waitSeconds =
                    std::min(2.0 * stopSeconds_ + kKillGraceSeconds, kLongestWaitSeconds);
                killAt_ = solving_ + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(waitSeconds));
            }
        } else if (line.rfind("done ", 0) == 0 && parseCsvLine(line.substr(5), row)) {
            doneRow_ = row;
        }
    }
}

std::optional<BatchRow> ModelRunner::poll() {
    if (pid_ <= 0) return std::nullopt;
    readPipe();
    int waitStatus = 0;
    const pid_t ended = ::waitpid(pid_, &waitStatus, WNOHANG);
    if (ended == 0) {
        if (killAt_ && !killedForTime_ &&
            (Clock::now() >= *killAt_ ||
             childCpuSeconds(pid_) - startCpu_ >= stopSeconds_ + kKillGraceSeconds)) {
            ::kill(pid_, SIGKILL);
            killedForTime_ = true;
        }
        return std::nullopt;
    }
    readPipe();
    return finish(ended == pid_ ? waitStatus : 0);
}

BatchRow ModelRunner::finish(int waitStatus) {
    untrackChild(pid_);
    ::close(fd_);
    pid_ = -1;
    fd_ = -1;
    if (doneRow_) return *doneRow_;
    BatchRow row;
    if (readRow_) {
        row = *readRow_;
        row.solveSeconds = secondsBetween(solving_, Clock::now());
    } else {
        row.model = model_;
        row.rank = rank_;
    }
    const bool byCtrlC =
        (WIFSIGNALED(waitStatus) && WTERMSIG(waitStatus) == SIGINT) ||
        (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == kInterruptedExitStatus);
    if (killedForTime_) {
        row.outcome = "time_limit";
        std::fprintf(stderr, "corvane: %s: killed, still running after its time limit\n",
                     model_.c_str());
    } else if (byCtrlC || batchInterrupted()) {
        row.outcome = "interrupted";
    } else {
        row.outcome = "crashed";
        if (WIFSIGNALED(waitStatus))
            std::fprintf(stderr, "corvane: %s: the solve crashed (%s)\n", model_.c_str(),
                         strsignal(WTERMSIG(waitStatus)));
        else
            std::fprintf(stderr, "corvane: %s: the solve ended without a result (exit %d)\n",
                         model_.c_str(), WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1);
    }
    return row;
}

// Once per child: a second Ctrl-C would end it at once, without its row.
void ModelRunner::interrupt() {
    if (pid_ <= 0 || interrupted_) return;
    interrupted_ = true;
    ::kill(pid_, SIGINT);
}

void ModelRunner::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    untrackChild(pid_);
    ::close(fd_);
    pid_ = -1;
    fd_ = -1;
}

int launchedRanks() {
    for (const char* variable : {"OMPI_COMM_WORLD_SIZE", "PMI_SIZE", "PMIX_SIZE"}) {
        const char* value = std::getenv(variable);
        if (value && std::atoi(value) > 0) return std::atoi(value);
    }
    return 0;
}

}  // namespace corvane::host
