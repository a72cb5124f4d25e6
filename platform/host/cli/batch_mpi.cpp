// `corvane batch` under mpirun: rank 0 checks the batch, hands out the models one at a time and
// writes every row; every rank, rank 0 included, solves in child processes as the local workers
// do, with its MPI rank as "RANKID". Waiting ranks test for messages and sleep rather than spin
// in a blocking call, so that they leave the cores to the solves.
#include <mpi.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/host/cli/batch.h"
#include "platform/host/cli/commands.h"

namespace corvane::host {

namespace {

constexpr int kTagReady = 1;      // worker to rank 0: give me a model
constexpr int kTagResult = 2;     // worker to rank 0: a summary row, and give me a model
constexpr int kTagWork = 3;       // rank 0 to worker: the index of a model
constexpr int kTagStop = 4;       // rank 0 to worker: no more models
constexpr int kTagInterrupt = 5;  // rank 0 to worker: stop the running solve
constexpr int kIdleMilliseconds = 20;

void sendText(const std::string& text, int destination, int tag) {
    MPI_Send(text.data(), static_cast<int>(text.size()), MPI_CHAR, destination, tag,
             MPI_COMM_WORLD);
}

std::string receiveText(const MPI_Status& probed) {
    int length = 0;
    MPI_Get_count(&probed, MPI_CHAR, &length);
    std::string text(static_cast<size_t>(length), '\0');
    MPI_Recv(text.data(), length, MPI_CHAR, probed.MPI_SOURCE, probed.MPI_TAG, MPI_COMM_WORLD,
             MPI_STATUS_IGNORE);
    return text;
}

// Waits for the request without spinning on a core.
void waitFor(MPI_Request& request) {
    for (int done = 0;;) {
        MPI_Test(&request, &done, MPI_STATUS_IGNORE);
        if (done) return;
        ::usleep(kIdleMilliseconds * 1000);
    }
}

void broadcastText(std::string& text, int rank) {
    long length = static_cast<long>(text.size());
    MPI_Request request;
    MPI_Ibcast(&length, 1, MPI_LONG, 0, MPI_COMM_WORLD, &request);
    waitFor(request);
    if (rank != 0) text.assign(static_cast<size_t>(length), '\0');
    MPI_Ibcast(text.data(), static_cast<int>(length), MPI_CHAR, 0, MPI_COMM_WORLD, &request);
    waitFor(request);
}

int broadcastInt(int value) {
    MPI_Request request;
    MPI_Ibcast(&value, 1, MPI_INT, 0, MPI_COMM_WORLD, &request);
    waitFor(request);
    return value;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

void sleepOn(const ModelRunner& runner) {
    pollfd fd{runner.fd(), POLLIN, 0};
    ::poll(&fd, runner.busy() ? 1 : 0, kIdleMilliseconds);
}

// Rank 0: the scheduler, the summary's only writer, and a solver like the others.
int leadBatch(const BatchCommand& command, PreparedBatch& batch, int ranks) {
    BatchRecorder recorder(batch.summaryFd, batch.models.size(), batch.earlier);
    std::fprintf(stderr, "corvane: %zu models, %d MPI ranks\n", batch.models.size(), ranks);
    ModelRunner own(command, 0);
    size_t next = 0;
    int working = ranks - 1;  // ranks not yet told to stop
    bool stopping = false;
    while (working > 0 || own.busy() || (!stopping && next < batch.models.size())) {
        if (batchInterrupted() && !stopping) {
            stopping = true;
            own.interrupt();
            for (int worker = 1; worker < ranks; ++worker)
                MPI_Send(nullptr, 0, MPI_INT, worker, kTagInterrupt, MPI_COMM_WORLD);
        }
        if (!own.busy() && !stopping && next < batch.models.size()) own.start(batch.models[next++]);
        if (const std::optional<BatchRow> row = own.poll()) recorder.record(*row);

        int arrived = 0;
        MPI_Status probed;
        MPI_Iprobe(MPI_ANY_SOURCE, MPI_ANY_TAG, MPI_COMM_WORLD, &arrived, &probed);
        if (!arrived) {
            sleepOn(own);
            continue;
        }
        const std::string text = receiveText(probed);
        BatchRow row;
        if (probed.MPI_TAG == kTagResult && parseCsvLine(text, row)) recorder.record(row);
        if (!stopping && next < batch.models.size()) {
            const int index = static_cast<int>(next++);
            MPI_Send(&index, 1, MPI_INT, probed.MPI_SOURCE, kTagWork, MPI_COMM_WORLD);
        } else {
            MPI_Send(nullptr, 0, MPI_INT, probed.MPI_SOURCE, kTagStop, MPI_COMM_WORLD);
            --working;
        }
    }
    recorder.printTable(stopping);
    return stopping ? kExitInterrupted : recorder.exitStatus();
}

// Every other rank: asks for a model, solves it, sends its row and asks again.
void followBatch(const BatchCommand& command, const std::vector<std::string>& models, int rank) {
    ModelRunner runner(command, rank);
    sendText("", 0, kTagReady);
    bool stopping = false;
    for (;;) {
        if (batchInterrupted() && !stopping) {
            stopping = true;
            runner.interrupt();
        }
        if (runner.busy()) {
            if (const std::optional<BatchRow> row = runner.poll()) {
                sendText(csvLine(*row), 0, kTagResult);
                continue;
            }
        }
        int arrived = 0;
        MPI_Status probed;
        MPI_Iprobe(0, MPI_ANY_TAG, MPI_COMM_WORLD, &arrived, &probed);
        if (!arrived) {
            sleepOn(runner);
            continue;
        }
        int index = -1;
        MPI_Recv(&index, 1, MPI_INT, 0, probed.MPI_TAG, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        if (probed.MPI_TAG == kTagStop) return;
        if (probed.MPI_TAG == kTagInterrupt) {
            stopping = true;
            runner.interrupt();
        } else if (probed.MPI_TAG == kTagWork && index >= 0 &&
                   index < static_cast<int>(models.size())) {
            runner.start(models[static_cast<size_t>(index)]);
        }
    }
}

}  // namespace

int runMpiBatch(const BatchCommand& command) {
    MPI_Init(nullptr, nullptr);
    int rank = 0;
    int ranks = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &ranks);

    PreparedBatch batch;
    int ready = 1;
    if (rank == 0) {
        try {
            if (command.jobs > 1)
                throw std::runtime_error(
                    "under mpirun each rank solves one model at a time: "
                    "start more ranks instead of --jobs");
            batch = prepareBatch(command);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "corvane: %s\n", error.what());
            ready = 0;
        }
    }
    if (!broadcastInt(ready)) {
        MPI_Finalize();
        return kExitError;
    }
    std::string list;
    for (const std::string& model : batch.models) list += model + "\n";
    broadcastText(list, rank);

    watchBatchInterrupts();
    int status = kExitSolved;
    try {
        if (rank == 0)
            status = leadBatch(command, batch, ranks);
        else
            followBatch(command, splitLines(list), rank);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane: rank %d: %s\n", rank, error.what());
        MPI_Abort(MPI_COMM_WORLD, kExitNoSolution);
    }
    stopWatchingBatchInterrupts();
    status = broadcastInt(status);
    if (rank == 0) ::close(batch.summaryFd);
    MPI_Finalize();
    return status;
}

}  // namespace corvane::host
