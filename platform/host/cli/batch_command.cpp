// `corvane batch`: the models gathered and checked before any solve, then solved by local workers
// (or by the ranks of an MPI job), one summary row each.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <thread>

#include "platform/host/cli/batch.h"
#include "platform/host/cli/commands.h"
#include "platform/host/driver/solve_driver.h"
#include "platform/host/driver/solver_parameters.h"

namespace corvane::host {

namespace {

namespace fs = std::filesystem;

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::vector<std::string> modelsInDirectory(const std::string& directory) {
    std::vector<std::string> models;
    std::error_code error;
    for (fs::recursive_directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && hasModelSuffix(it->path().string()))
            models.push_back(it->path().string());
    }
    if (error)
        throw UsageError("cannot search the directory " + directory + ": " + error.message());
    if (models.empty())
        throw UsageError("the directory " + directory +
                         " holds no models (.mps, .lp or .qps files, plain, .gz or .bz2)");
    std::sort(models.begin(), models.end());
    return models;
}

std::vector<std::string> modelsInList(const std::string& listFile) {
    std::error_code error;
    if (fs::is_directory(listFile, error))
        throw UsageError("the list " + listFile +
                         " is a directory: name a file, or the directory "
                         "itself as a model argument");
    std::ifstream in(listFile);
    if (!in) throw UsageError("cannot read the list " + listFile);
    std::vector<std::string> models;
    bool first = true;
    for (std::string line; std::getline(in, line); first = false) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A list saved by an editor that starts its files with a byte order mark.
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        const size_t last = line.find_last_not_of(" \t");
        models.push_back(line.substr(first, last - first + 1));
    }
    if (models.empty()) throw UsageError("the list " + listFile + " names no models");
    return models;
}

// Every model once, in the order given; each must be a file that is there.
std::vector<std::string> gatherModels(const BatchCommand& command) {
    std::vector<std::string> given;
    for (const std::string& input : command.inputs) {
        std::error_code error;
        if (fs::is_directory(input, error)) {
            for (std::string& model : modelsInDirectory(input)) given.push_back(std::move(model));
        } else {
            given.push_back(input);
        }
    }
    if (!command.listFile.empty())
        for (std::string& model : modelsInList(command.listFile)) given.push_back(std::move(model));
    if (given.empty()) throw UsageError("no models: name files, directories or --list FILE");

    std::vector<std::string> models;
    std::set<std::string> seen;
    for (const std::string& model : given) {
        std::error_code error;
        if (model.find('\n') != std::string::npos)
            throw UsageError("a model path holds a line break");
        if (!fs::exists(model, error)) throw UsageError("no such model file: " + model);
        if (!fs::is_regular_file(model, error))
            throw UsageError(model + " is not a model file (neither a file nor a directory " +
                             "searched for models here)");
        if (::access(model.c_str(), R_OK) != 0) throw UsageError("cannot read " + model);
        if (seen.insert(fs::weakly_canonical(model, error).string()).second)
            models.push_back(model);
    }
    return models;
}

// Two models of one name would write the same solution file.
void checkSolutionNames(const std::vector<std::string>& models, const BatchCommand& command) {
    if (command.solutionsDir.empty()) return;
    std::map<std::string, std::string> byName;
    for (const std::string& model : models) {
        const std::string name = solutionName(model);
        const auto [found, added] = byName.emplace(name, model);
        if (!added)
            throw UsageError("--solutions: " + found->second + " and " + model +
                             " would both write " + name + ".json");
    }
}

void checkWritableDirectory(const std::string& directory, const std::string& what) {
    std::error_code error;
    fs::create_directories(directory, error);
    if (error || !fs::is_directory(directory))
        throw UsageError("cannot create the " + what + " " + directory);
    const std::string probe = directory + "/.corvane-write-check-" + std::to_string(::getpid());
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) throw UsageError("cannot write in the " + what + " " + directory);
    ::close(fd);
    ::unlink(probe.c_str());
}

// The settings go to a solver once here, so that a bad name or value stops the batch at once.
void checkSettings(const BatchCommand& command) {
    PluginSession session;
    session.open(command.pluginPath);
    RTSolver& solver = session.solver();
    for (const std::string& setting : command.settings) {
        const auto [name, value] = splitSetting(setting);
        if (name == "RANKID")
            throw UsageError("--set RANKID: the batch sets RANKID to each worker's rank");
        setParameter(solver, name, value);
    }
}

std::vector<BatchRow> readEarlierRows(const std::string& summary) {
    std::ifstream in(summary);
    std::vector<BatchRow> rows;
    std::string line;
    if (!std::getline(in, line)) return rows;
    // A summary saved again by a spreadsheet may end its lines with CR LF.
    const auto dropCarriageReturn = [&line] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
    };
    dropCarriageReturn();
    if (line != kSummaryHeader)
        throw UsageError("the summary " + summary + " is not a batch summary (its first line)");
    for (int number = 2; std::getline(in, line); ++number) {
        BatchRow row;
        dropCarriageReturn();
        if (line.empty()) continue;
        // A row cut short by a crash of the machine is solved again.
        if (!parseCsvLine(line, row)) {
            std::fprintf(stderr, "corvane: %s:%d: not a summary row, ignored\n", summary.c_str(),
                         number);
            continue;
        }
        rows.push_back(row);
    }
    return rows;
}

// A summary whose last row was cut short, without its line end, by a crash: the next row
// starts a line of its own rather than joining the torn one and being lost with it.
bool endsWithoutLineEnd(const std::string& summary) {
    std::ifstream in(summary, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() <= 0) return false;
    in.seekg(-1, std::ios::end);
    return in.get() != '\n';
}

int openSummary(const std::string& summary, bool resume) {
    std::error_code error;
    if (fs::is_directory(summary, error))
        throw UsageError("the summary " + summary + " is a directory: name a file");
    const bool holdsRows = fs::exists(summary, error) && fs::file_size(summary, error) > 0;
    if (holdsRows && !resume)
        throw UsageError("the summary " + summary +
                         " already holds rows: add --resume to go on with it, or remove it");
    const fs::path parent = fs::path(summary).parent_path();
    if (!parent.empty()) fs::create_directories(parent, error);
    const int fd = ::open(summary.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throw UsageError("cannot write the summary " + summary + ": " + std::strerror(errno));
    if (holdsRows && endsWithoutLineEnd(summary) && ::write(fd, "\n", 1) != 1) {
        ::close(fd);
        throw UsageError("cannot write the summary " + summary);
    }
    if (!holdsRows) {
        const std::string header = std::string(kSummaryHeader) + "\n";
        if (::write(fd, header.data(), header.size()) != static_cast<ssize_t>(header.size())) {
            ::close(fd);
            throw UsageError("cannot write the summary " + summary);
        }
    }
    return fd;
}

std::string summaryPathOf(const BatchCommand& command) {
    return command.summaryFile.empty() ? command.logDir + "/batch-summary.csv"
                                       : command.summaryFile;
}

// Drops the models that a resumed summary already has a final row for.
std::vector<std::string> stillToSolve(const std::vector<std::string>& models,
                                      std::vector<BatchRow>& earlier) {
    std::map<std::string, const BatchRow*> finalRows;
    std::error_code error;
    for (const BatchRow& row : earlier)
        if (isFinalOutcome(row.outcome))
            finalRows[fs::weakly_canonical(row.model, error).string()] = &row;
    std::vector<std::string> left;
    std::vector<BatchRow> kept;
    for (const std::string& model : models) {
        const auto found = finalRows.find(fs::weakly_canonical(model, error).string());
        if (found == finalRows.end())
            left.push_back(model);
        else
            kept.push_back(*found->second);
    }
    earlier = kept;
    return left;
}

// The threads of one solve: --threads, unless a later --set gives IBARTHREAD.
int threadsOfASolve(const BatchCommand& command) {
    int threads = command.threads;
    for (const std::string& setting : command.settings) {
        const auto [name, value] = splitSetting(setting);
        if (name == "IBARTHREAD") threads = std::atoi(value.c_str());
    }
    return std::max(1, threads);
}

int localJobs(const BatchCommand& command) {
    if (command.jobs > 0) return command.jobs;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::max(1, cores / threadsOfASolve(command));
}

int runLocalBatch(const BatchCommand& command, PreparedBatch& batch) {
    BatchRecorder recorder(batch.summaryFd, batch.models.size(), batch.earlier);
    std::vector<std::unique_ptr<ModelRunner>> runners;
    const int jobs = std::min<int>(batch.jobs, std::max<size_t>(1, batch.models.size()));
    for (int rank = 0; rank < jobs; ++rank)
        runners.push_back(std::make_unique<ModelRunner>(command, rank));
    std::fprintf(stderr, "corvane: %zu models, %d worker%s\n", batch.models.size(), jobs,
                 jobs == 1 ? "" : "s");
    watchBatchInterrupts();
    size_t next = 0;
    bool stopping = false;
    for (;;) {
        if (batchInterrupted() && !stopping) {
            stopping = true;
            for (auto& runner : runners) runner->interrupt();
        }
        bool anyBusy = false;
        std::vector<pollfd> fds;
        for (auto& runner : runners) {
            if (!runner->busy() && !stopping && next < batch.models.size())
                runner->start(batch.models[next++]);
            if (!runner->busy()) continue;
            if (const std::optional<BatchRow> row = runner->poll()) {
                recorder.record(*row);
                if (!stopping && next < batch.models.size()) runner->start(batch.models[next++]);
            }
            if (runner->busy()) {
                anyBusy = true;
                fds.push_back({runner->fd(), POLLIN, 0});
            }
        }
        if (!anyBusy && (stopping || next >= batch.models.size())) break;
        ::poll(fds.data(), fds.size(), 50);
    }
    stopWatchingBatchInterrupts();
    recorder.printTable(stopping);
    return stopping ? kExitInterrupted : recorder.exitStatus();
}

}  // namespace

PreparedBatch prepareBatch(const BatchCommand& command) {
    if (command.jobs < 0) throw UsageError("--jobs must be 1 or more");
    if (command.threads < 1) throw UsageError("--threads must be 1 or more");
    if (command.timeLimit < 0) throw UsageError("--time-limit must be positive");
    if (command.logDir.empty()) throw UsageError("--logdir needs a directory name");
    PreparedBatch batch;
    std::vector<std::string> models = gatherModels(command);
    checkSolutionNames(models, command);
    checkSettings(command);
    checkWritableDirectory(command.logDir, "log directory");
    if (!command.solutionsDir.empty())
        checkWritableDirectory(command.solutionsDir, "solutions directory");
    const std::string summary = summaryPathOf(command);
    if (command.resume) batch.earlier = readEarlierRows(summary);
    batch.summaryFd = openSummary(summary, command.resume);
    batch.models = largestFirst(stillToSolve(models, batch.earlier));
    batch.jobs = localJobs(command);
    if (!batch.earlier.empty())
        std::fprintf(stderr, "corvane: %zu models already in %s, %zu to solve\n",
                     batch.earlier.size(), summary.c_str(), batch.models.size());
    return batch;
}

namespace {

char** programArguments = nullptr;

#ifndef CORVANE_WITH_MPI
// The MPI program beside this one takes over the process, whose identity mpirun tracks. Where
// there is none, nothing happens and the caller goes on.
void continueInMpiProgram() {
    if (!programArguments) return;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return;
    const std::string mpiProgram = (self.parent_path() / "corvane-mpi").string();
    if (::access(mpiProgram.c_str(), X_OK) != 0) return;
    ::execv(mpiProgram.c_str(), programArguments);
    std::fprintf(stderr, "corvane: cannot start %s: %s\n", mpiProgram.c_str(),
                 std::strerror(errno));
}
#endif

}  // namespace

void rememberProgramArguments(char** argv) {
    programArguments = argv;
}

int runBatchCommand(const BatchCommand& command) {
    const int ranks = launchedRanks();
#ifdef CORVANE_WITH_MPI
    if (ranks > 0) return runMpiBatch(command);
#else
    if (ranks > 0) continueInMpiProgram();
    if (ranks > 1) {
        std::fprintf(stderr,
                     "corvane: started as one of %d MPI ranks, but built without MPI: every rank "
                     "would solve every model\n",
                     ranks);
        return kExitError;
    }
#endif
    PreparedBatch batch;
    try {
        batch = prepareBatch(command);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane: %s\n", error.what());
        return kExitError;
    }
    try {
        const int status = runLocalBatch(command, batch);
        ::close(batch.summaryFd);
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane: %s\n", error.what());
        return kExitNoSolution;
    }
}

}  // namespace corvane::host
