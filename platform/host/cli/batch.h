// `corvane batch`: many models, each solved in a child process of its worker, on local workers or
// on the ranks of an MPI job, with one summary row per model.
#ifndef CORVANE_PLATFORM_HOST_CLI_BATCH_H
#define CORVANE_PLATFORM_HOST_CLI_BATCH_H

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::host {

struct BatchCommand {
    std::string pluginPath;
    std::vector<std::string> inputs;  // model files and directories
    std::string listFile;             // one model path a line
    std::vector<std::string> settings;
    std::string logDir = "corvane-run";
    std::string solutionsDir;
    std::string summaryFile;  // empty: batch-summary.csv in the log directory
    int jobs = 0;             // 0: the machine's cores divided by the threads of a solve
    int threads = 1;
    double timeLimit = 0.0;
    bool resume = false;
};

int runBatchCommand(const BatchCommand& command);

// How many processor seconds after the client stop a solve that has not returned is killed.
constexpr double kKillGraceSeconds = 5.0;

// One summary row; numbers a model never got are left empty.
struct BatchRow {
    std::string model;
    std::optional<long> rows, columns, nonzeros;
    std::string kind;
    std::optional<int> status;
    std::optional<int> resultCode;
    std::optional<double> objective;
    std::optional<int> iterations;
    std::optional<double> readSeconds, solveSeconds;
    int rank = 0;
    std::string outcome;
};

extern const char* const kSummaryHeader;

std::string csvLine(const BatchRow& row);
// False for a line that is not a summary row.
bool parseCsvLine(const std::string& line, BatchRow& row);
// Every outcome but `interrupted` is final: a resumed batch does not solve that model again.
bool isFinalOutcome(const std::string& outcome);

// A batch checked before any solve: the models still to solve, largest first, the rows a
// resumed summary already holds, and the summary opened for appending.
struct PreparedBatch {
    std::vector<std::string> models;
    std::vector<BatchRow> earlier;
    int summaryFd = -1;
    int jobs = 1;
};

// Throws std::runtime_error with a one-line reason for input that cannot start the batch.
PreparedBatch prepareBatch(const BatchCommand& command);

// A model file's name without its directory, compression (.gz, .bz2) and format (.mps, .lp,
// .qps) suffixes, in any case: what its solution file is named after.
std::string solutionName(const std::string& model);
// Whether a file is named as a model: a format suffix, with or without a compression suffix.
bool hasModelSuffix(const std::string& path);

// The models in the order they are handed out: the largest file first.
std::vector<std::string> largestFirst(std::vector<std::string> models);

// Writes each finished model's row to the summary at once, says it on standard error, and keeps
// the counts for the table at the end.
class BatchRecorder {
  public:
    // `earlier`: the rows a resumed batch keeps, counted in the totals and the exit status.
    BatchRecorder(int summaryFd, size_t toSolve, const std::vector<BatchRow>& earlier);
    void record(const BatchRow& row);
    void printTable(bool interrupted) const;
    // 0 every model solved, 1 otherwise.
    int exitStatus() const;

  private:
    int summaryFd_;
    size_t toSolve_;
    size_t done_ = 0;
    size_t earlier_;
    std::map<std::string, size_t> counts_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// One worker's slot: solves one model at a time in a child process, which reports the model's
// size once read and its row once solved through a pipe, and is killed when it overruns.
class ModelRunner {
  public:
    ModelRunner(const BatchCommand& command, int rank) : command_(command), rank_(rank) {}
    ~ModelRunner();
    ModelRunner(const ModelRunner&) = delete;
    ModelRunner& operator=(const ModelRunner&) = delete;

    // Throws std::runtime_error when no child can be started.
    void start(const std::string& model);
    bool busy() const { return pid_ > 0; }
    int fd() const { return fd_; }
    // Reads what the child sent, kills it past its time, and hands back the row once it ended.
    std::optional<BatchRow> poll();
    // Asks the child's solve to stop through the client stop; once, however often called.
    void interrupt();
    void kill();

  private:
    void readPipe();
    BatchRow finish(int waitStatus);

    const BatchCommand& command_;
    int rank_;
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string model_;
    std::string pending_;
    std::optional<BatchRow> readRow_, doneRow_;
    std::chrono::steady_clock::time_point started_, solving_;
    // Past its time, a child is killed: on the processor seconds it used beyond the client stop,
    // or, for one that hangs without using any, on the clock.
    std::optional<std::chrono::steady_clock::time_point> killAt_;
    double stopSeconds_ = 0.0;
    double startCpu_ = 0.0;
    bool killedForTime_ = false;
    bool interrupted_ = false;
};

// Ctrl-C during a batch: the first stops every running solve, the second ends at once.
void watchBatchInterrupts();
// Once no solve runs: a signal ends the program as by default, quietly. Under mpirun, which ends
// the other ranks with SIGTERM when one exits with a status other than 0, those would otherwise
// say they stop their solves.
void stopWatchingBatchInterrupts();
bool batchInterrupted();
// The running children, for the second Ctrl-C to kill.
void trackChild(pid_t pid);
void untrackChild(pid_t pid);

// Under mpirun: the number of ranks the launcher started, 0 when not started by one.
int launchedRanks();

// The program's own arguments, kept by main for a batch that hands itself to the MPI program.
void rememberProgramArguments(char** argv);

#ifdef CORVANE_WITH_MPI
// Rank 0 validates and hands out the models; every rank solves. Returns the exit status.
int runMpiBatch(const BatchCommand& command);
#endif

}  // namespace corvane::host

#endif
