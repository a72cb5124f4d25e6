// `corvane batch` run as a process on published models: against `corvane solve` model for model,
// under mpirun, with a model that crashes, one that runs past its time limit, one that hangs,
// stopped and resumed, and refusing what it cannot start with.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/file_text.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

const std::string kCorvane = CORVANE_BIN;
const std::string kData = CORVANE_SHARED_DATA;

// LPs and MIPs that each solve in well under a second.
const std::vector<std::string> kQuickModels = {
    "netlib/afiro", "netlib/sc50a",  "netlib/blend",   "netlib/adlittle", "netlib/kb2",
    "netlib/sc105", "miplib3/p0033", "miplib3/flugpl", "miplib3/egout",   "netlib/share2b",
    "netlib/e226",  // an objective constant
};

using corvane::test::slurp;

std::string scratchDir(const std::string& name) {
    const std::string dir = testing::TempDir() + "batch-" + std::to_string(::getpid()) + "-" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A program run as a child, its output in files; waited for, or stopped by the test.
class Process {
  public:
    Process(const std::vector<std::string>& args, const std::string& dir,
            const std::vector<std::string>& environment = {})
        : dir_(dir) {
        pid_ = ::fork();
        if (pid_ != 0) return;
        for (const std::string& setting : environment) ::putenv(const_cast<char*>(setting.c_str()));
        const int out = ::open((dir + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open((dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::dup2(in, STDIN_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ~Process() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool running() {
        if (pid_ <= 0) return false;
        if (::waitpid(pid_, &status_, WNOHANG) != pid_) return true;
        pid_ = -1;
        return false;
    }
    // The exit status, -1 for a program killed by a signal or still running after the limit.
    int wait(double limitSeconds = 300) {
        const auto start = Clock::now();
        while (running()) {
            if (std::chrono::duration<double>(Clock::now() - start).count() > limitSeconds)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }
    void signal(int number) {
        if (pid_ > 0) ::kill(pid_, number);
    }
    std::string err() const { return slurp(dir_ + "/err"); }
    std::string out() const { return slurp(dir_ + "/out"); }

  private:
    std::string dir_;
    pid_t pid_ = -1;
    int status_ = 0;
};

bool waitUntil(const std::function<bool()>& condition, double limitSeconds) {
    const auto start = Clock::now();
    while (!condition()) {
        if (std::chrono::duration<double>(Clock::now() - start).count() > limitSeconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct Row {
    std::map<std::string, std::string> field;
    const std::string& operator[](const std::string& name) const { return field.at(name); }
};

// The summary's rows, CR LF line ends read as LF; the model paths of these tests hold no commas
// or quotes.
std::vector<Row> readSummary(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> names;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::stringstream header(line);
    for (std::string name; std::getline(header, name, ',');) names.push_back(name);
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Row row;
        std::stringstream parts(line);
        std::string value;
        for (const std::string& name : names) {
            std::getline(parts, value, ',');
            row.field[name] = value;
        }
        rows.push_back(row);
    }
    return rows;
}

std::map<std::string, Row> byModel(const std::vector<Row>& rows) {
    std::map<std::string, Row> models;
    for (const Row& row : rows) {
        EXPECT_EQ(models.count(row["model"]), 0u) << row["model"] << " has two rows";
        models[row["model"]] = row;
    }
    return models;
}

std::vector<std::string> modelPaths(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(kData + "/" + name + ".mps.gz");
    return paths;
}

bool haveData() {
    return fs::exists(kData + "/netlib/afiro.mps.gz") &&
           fs::exists(kData + "/miplib3/p0033.mps.gz");
}

std::vector<std::string> batchArgs(const std::string& dir, const std::vector<std::string>& models,
                                   const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {kCorvane, "batch", "--logdir", dir + "/logs"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), models.begin(), models.end());
    return args;
}

// The objective line the solver writes last in a rank's run log, for the model solved last.
std::string lastObjectiveLine(const std::string& log) {
    const std::string marker = " *** Optimal Objective Value is ";
    const size_t at = log.rfind(marker);
    if (at == std::string::npos) return "";
    return log.substr(at, log.find('\n', at) - at);
}

// Every rank's run log is there and holds the solve of the last model that rank finished: no
// rank wrote over another's files.
void expectRankLogs(const std::string& logDir, const std::vector<Row>& rows, int ranks) {
    std::map<int, const Row*> lastOfRank;
    for (const Row& row : rows) lastOfRank[std::stoi(row["rank"])] = &row;
    EXPECT_EQ(static_cast<int>(lastOfRank.size()), ranks);
    for (const auto& [rank, row] : lastOfRank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        const std::string log = slurp(logDir + "/xpress_" + std::to_string(rank) + ".log");
        ASSERT_FALSE(log.empty());
        std::ostringstream expected;
        expected << " *** Optimal Objective Value is " << std::stod((*row)["objective"]);
        EXPECT_EQ(lastObjectiveLine(log), expected.str()) << (*row)["model"];
    }
    EXPECT_FALSE(fs::exists(logDir + "/xpress.log")) << "a solve without its rank";
}

// Each model solved alone by `corvane solve`: its status and objective from the solution file.
std::map<std::string, std::pair<int, double>> solvedAlone(const std::vector<std::string>& models,
                                                          const std::string& dir) {
    std::map<std::string, std::pair<int, double>> answers;
    for (const std::string& model : models) {
        const std::string solution = dir + "/alone.json";
        Process run({kCorvane, "solve", model, "--quiet", "--logdir", dir + "/alone", "--solution",
                     solution},
                    dir);
        EXPECT_EQ(run.wait(), 0) << model << run.err();
        const Json answer = Json::parse(std::ifstream(solution));
        answers[model] = {answer["status"].get<int>(), answer["objective"].get<double>()};
    }
    return answers;
}

void expectRowsMatch(const std::map<std::string, Row>& rows,
                     const std::map<std::string, std::pair<int, double>>& alone) {
    ASSERT_EQ(rows.size(), alone.size());
    for (const auto& [model, answer] : alone) {
        SCOPED_TRACE(model);
        ASSERT_EQ(rows.count(model), 1u);
        const Row& row = rows.at(model);
        EXPECT_EQ(row["outcome"], "solved");
        EXPECT_EQ(std::stoi(row["status"]), answer.first);
        EXPECT_EQ(row["result_code"], "0");
        const double objective = std::stod(row["objective"]);
        EXPECT_NEAR(objective, answer.second, 1e-9 * std::max(1.0, std::fabs(answer.second)));
    }
}

TEST(Batch, TwoWorkersAndThreeMpiRanksGiveWhatEachSolveGivesAlone) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("matches");
    const std::vector<std::string> models = modelPaths(kQuickModels);
    const auto alone = solvedAlone(models, dir);

    Process local(batchArgs(dir, models, {"--jobs", "2", "--solutions", dir + "/solutions"}), dir);
    ASSERT_EQ(local.wait(), 0) << local.err();
    const std::vector<Row> localRows = readSummary(dir + "/logs/batch-summary.csv");
    expectRowsMatch(byModel(localRows), alone);
    expectRankLogs(dir + "/logs", localRows, 2);
    for (const char* name : {"afiro", "egout"}) {
        const Json solution = Json::parse(std::ifstream(dir + "/solutions/" + name + ".json"));
        EXPECT_EQ(solution["status"], 1) << name;
    }
    const std::string count = std::to_string(models.size());
    EXPECT_NE(local.err().find("[" + count + "/" + count + "]"), std::string::npos) << local.err();
    EXPECT_NE(local.err().find("solved             " + count), std::string::npos) << local.err();

#ifdef CORVANE_WITH_MPI
    std::vector<std::string> mpi = {"mpirun", "--oversubscribe", "-n", "3"};
    if (::geteuid() == 0) mpi.push_back("--allow-run-as-root");
    // Open MPI's components, unloaded by MPI_Finalize, leave allocations that the leak checker
    // of a sanitizer build can no longer name: the ranks run without it.
    mpi.insert(mpi.end(), {"-x", "ASAN_OPTIONS=detect_leaks=0"});
    const std::string mpiDir = scratchDir("matches-mpi");
    std::vector<std::string> args = batchArgs(mpiDir, models);
    mpi.insert(mpi.end(), args.begin(), args.end());
    Process ranks(mpi, mpiDir);
    ASSERT_EQ(ranks.wait(), 0) << ranks.err();
    const std::vector<Row> mpiRows = readSummary(mpiDir + "/logs/batch-summary.csv");
    expectRowsMatch(byModel(mpiRows), alone);
    expectRankLogs(mpiDir + "/logs", mpiRows, 3);
    const std::map<std::string, Row> mpiByModel = byModel(mpiRows);
    for (const Row& row : localRows) {
        const Row& other = mpiByModel.at(row["model"]);
        for (const char* column : {"rows", "columns", "nonzeros", "kind", "status"})
            EXPECT_EQ(row[column], other[column]) << row["model"] << " " << column;
    }
#else
    std::cerr << "built without MPI: the batch under mpirun is not tested\n";
#endif
}

#ifdef CORVANE_WITH_MPI
// A model that is not solved gives exit status 1, on which mpirun ends the ranks still closing
// with SIGTERM: they end quietly, without saying that they stop solves.
TEST(Batch, UnderMpirunAnInfeasibleModelEndsTheBatchWithOneAndNoFalseInterrupt) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("mpi-status");
    const std::string infeasible = dir + "/infeasible.lp";
    std::ofstream(infeasible) << "Minimize\n x\nSubject To\n a: x >= 2\n b: x <= 1\nEnd\n";
    std::vector<std::string> command = {
        "mpirun", "--oversubscribe", "-n", "3", "-x", "ASAN_OPTIONS=detect_leaks=0"};
    if (::geteuid() == 0) command.push_back("--allow-run-as-root");
    const std::vector<std::string> args =
        batchArgs(dir, {infeasible, kData + "/netlib/afiro.mps.gz"});
    command.insert(command.end(), args.begin(), args.end());
    // The ranks race mpirun's SIGTERM: a few runs, so that one of them meets it.
    for (int run = 0; run < 3; ++run) {
        fs::remove_all(dir + "/logs");
        Process ranks(command, dir);
        EXPECT_EQ(ranks.wait(), 1) << ranks.err();
        EXPECT_EQ(ranks.err().find("interrupted"), std::string::npos) << ranks.err();
        const auto rows = byModel(readSummary(dir + "/logs/batch-summary.csv"));
        ASSERT_EQ(rows.count(infeasible), 1u) << ranks.err();
        EXPECT_EQ(rows.at(infeasible)["outcome"], "infeasible");
    }
}
#endif

// The batch's --set reaches every solve: with RELMIP=1 the MIPs give their published relaxations.
TEST(Batch, SettingsReachEverySolve) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("settings");
    const std::map<std::string, double> relaxations = {
        {"p0033", 2520.57}, {"stein27", 13.0}, {"flugpl", 1167185.73}};
    std::vector<std::string> models;
    for (const auto& [name, relaxation] : relaxations)
        models.push_back(kData + "/miplib3/" + name + ".mps.gz");
    Process run(batchArgs(dir, models, {"--jobs", "2", "--set", "RELMIP=1"}), dir);
    ASSERT_EQ(run.wait(), 0) << run.err();
    const auto rows = byModel(readSummary(dir + "/logs/batch-summary.csv"));
    for (const auto& [name, relaxation] : relaxations) {
        const Row& row = rows.at(kData + "/miplib3/" + name + ".mps.gz");
        EXPECT_NEAR(std::stod(row["objective"]), relaxation, 1e-5 * relaxation) << name;
    }
}

// A tiny LP, the smallest file of a batch and so the last one handed out.
std::string writeTinyLp(const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name;
    std::ofstream(path) << "Minimize\n x + y\nSubject To\n c: x + y >= 1\nEnd\n";
    return path;
}

TEST(Batch, CrashAndTimeLimitAreRecordedAndTheBatchGoesOn) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("faults");
    const std::string longMip = kData + "/repro/sp150x300d.mps.gz";
    const std::string crashing = kData + "/netlib/afiro.mps.gz";
    const std::string hanging = writeTinyLp(dir, "hang.lp");
    const std::string fine = kData + "/netlib/sc50a.mps.gz";
    const std::string broken = dir + "/broken.mps";
    std::ofstream(broken) << "NAME broken\nROWS\n N obj\n L c1\nCOLUMNS\n x c9 1\nENDATA\n";
    Process run(batchArgs(dir, {longMip, crashing, hanging, fine, broken},
                          {"--jobs", "2", "--time-limit", "2", "--solutions", dir + "/solutions"}),
                dir, {"CORVANE_TEST_CRASH_MODEL=afiro.mps.gz", "CORVANE_TEST_HANG_MODEL=hang.lp"});
    const auto start = Clock::now();
    EXPECT_EQ(run.wait(120), 1) << run.err();
    // The hanging solve is killed a few seconds after its limit, not left to run.
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 30.0);
    const auto rows = byModel(readSummary(dir + "/logs/batch-summary.csv"));
    ASSERT_EQ(rows.size(), 5u) << run.err();
    EXPECT_EQ(rows.at(broken)["outcome"], "refused");
    EXPECT_NE(run.err().find("broken.mps:6: "), std::string::npos) << run.err();
    EXPECT_EQ(rows.at(crashing)["outcome"], "crashed");
    EXPECT_EQ(rows.at(crashing)["rows"], "27");
    EXPECT_EQ(rows.at(hanging)["outcome"], "time_limit");
    EXPECT_EQ(rows.at(fine)["outcome"], "solved");
    // The search stopped on its limit keeps its incumbent, in the row and in the solution file.
    const Row& limited = rows.at(longMip);
    EXPECT_EQ(limited["outcome"], "time_limit");
    EXPECT_EQ(limited["status"], "1");
    ASSERT_FALSE(limited["objective"].empty());
    const Json solution = Json::parse(std::ifstream(dir + "/solutions/sp150x300d.json"));
    EXPECT_EQ(solution["time_limit"], true);
    EXPECT_EQ(solution["objective"].get<double>(), std::stod(limited["objective"]));
    EXPECT_NE(run.err().find("crashed"), std::string::npos) << run.err();
}

TEST(Batch, KilledHalfWayAndResumedSolvesOnlyWhatIsMissing) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("resume");
    std::vector<std::string> models = modelPaths({"netlib/afiro", "netlib/sc50a", "netlib/blend"});
    models.push_back(writeTinyLp(dir, "last.lp"));
    const std::string summary = dir + "/logs/batch-summary.csv";
    {
        Process first(batchArgs(dir, models, {"--jobs", "1"}), dir,
                      {"CORVANE_TEST_HANG_MODEL=last.lp"});
        ASSERT_TRUE(waitUntil([&] { return readSummary(summary).size() == 3; }, 60)) << first.err();
        first.signal(SIGKILL);
    }
    // The machine went down while the third row was written, and the file was saved again with
    // CR LF line ends: that row is solved again, on a line of its own, and the others are kept.
    std::string text = slurp(summary);
    text.resize(text.size() - 4);
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::ofstream(summary, std::ios::binary | std::ios::trunc) << crlf;
    const std::string torn = readSummary(summary).back()["model"];
    const std::string before = slurp(summary);
    // The same models again from a list as an editor saves it: a byte order mark, CR LF, blank
    // and comment lines, blanks around a path, a model named twice.
    std::ofstream list(dir + "/models.list", std::ios::binary);
    list << "\xEF\xBB\xBF# the models\r\n\r\n";
    for (const std::string& model : models) list << "  " << model << " \r\n";
    list << models.front() << "\r\n";
    list.close();
    Process again(batchArgs(dir, {}, {"--jobs", "1", "--resume", "--list", dir + "/models.list"}),
                  dir);
    EXPECT_EQ(again.wait(60), 0) << again.err();
    const std::string after = slurp(summary);
    ASSERT_EQ(after.substr(0, before.size()), before) << "the earlier rows changed";
    const std::vector<Row> added = readSummary(summary);
    ASSERT_EQ(added.size(), 5u) << after;
    EXPECT_EQ(added[3]["model"], torn);
    EXPECT_EQ(added[4]["model"], models.back());
    EXPECT_EQ(added[3]["outcome"], "solved");
    EXPECT_EQ(added[4]["outcome"], "solved");
    EXPECT_NE(again.err().find("[2/2]"), std::string::npos) << again.err();
}

// A time limit too long to count in the clocks of the solve and of the batch is no limit: the
// LP and the search run to their optima, rather than being stopped at once or after a second.
// A directory is searched for model files named in any case, as the readers take them.
TEST(Batch, DirectoriesYieldModelsWhateverTheCaseOfTheirNames) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("case");
    fs::create_directories(dir + "/models/deeper");
    writeTinyLp(dir + "/models", "TINY.LP");
    fs::copy_file(kData + "/netlib/afiro.mps.gz", dir + "/models/deeper/AFIRO.Mps.GZ");
    std::ofstream(dir + "/models/notes.txt") << "not a model\n";
    Process run(batchArgs(dir, {dir + "/models"}, {"--solutions", dir + "/solutions"}), dir);
    ASSERT_EQ(run.wait(), 0) << run.err();
    const auto rows = byModel(readSummary(dir + "/logs/batch-summary.csv"));
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_NEAR(std::stod(rows.at(dir + "/models/TINY.LP")["objective"]), 1.0, 1e-9);
    EXPECT_NEAR(std::stod(rows.at(dir + "/models/deeper/AFIRO.Mps.GZ")["objective"]), -464.753143,
                1e-6);
    EXPECT_TRUE(fs::exists(dir + "/solutions/TINY.json"));
    EXPECT_TRUE(fs::exists(dir + "/solutions/AFIRO.json"));
}

TEST(Batch, HugeTimeLimitsStopNothing) {
    if (!haveData()) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("huge-limit");
    const struct {
        std::string model, limit;
        double optimum;
    } cases[] = {
        {kData + "/netlib/25fv47.mps.gz", "1e13", 5501.845888},
        {kData + "/miplib3/stein27.mps.gz", "1e10", 18.0},
        {kData + "/netlib/afiro.mps.gz", "1e300", -464.7531429},
    };
    std::vector<std::string> models;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        models.push_back(c.model);
        const std::string solution = dir + "/solution.json";
        Process run({kCorvane, "solve", c.model, "--quiet", "--time-limit", c.limit, "--logdir",
                     dir + "/alone", "--solution", solution},
                    dir);
        EXPECT_EQ(run.wait(120), 0) << run.err();
        const Json answer = Json::parse(std::ifstream(solution));
        EXPECT_EQ(answer["time_limit"], false);
        EXPECT_NEAR(answer["objective"].get<double>(), c.optimum, 1e-6 * std::fabs(c.optimum));
    }
    Process batch(batchArgs(dir, models, {"--jobs", "2", "--time-limit", "1e300"}), dir);
    EXPECT_EQ(batch.wait(120), 0) << batch.err();
    const auto rows = byModel(readSummary(dir + "/logs/batch-summary.csv"));
    for (const auto& c : cases) {
        ASSERT_EQ(rows.count(c.model), 1u) << batch.err();
        EXPECT_EQ(rows.at(c.model)["outcome"], "solved") << c.model;
    }
}

TEST(Batch, CtrlCStopsEveryRunningSolveAndResumeSolvesThemAgain) {
    const std::string bell5 = kData + "/miplib3/bell5.mps.gz";
    const std::string longMip = kData + "/repro/sp150x300d.mps.gz";
    if (!fs::exists(bell5) || !fs::exists(longMip)) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("ctrl-c");
    const std::string logs = dir + "/logs";
    Process run(batchArgs(dir, {bell5, longMip}, {"--jobs", "2"}), dir);
    const auto optimizing = [&logs](int rank) {
        std::error_code error;
        const auto size = fs::file_size(logs + "/xpress_" + std::to_string(rank) + ".log", error);
        return !error && size > 200;
    };
    ASSERT_TRUE(waitUntil([&] { return optimizing(0) && optimizing(1); }, 120)) << run.err();
    run.signal(SIGINT);
    EXPECT_EQ(run.wait(20), 130) << run.err();
    const auto rows = byModel(readSummary(logs + "/batch-summary.csv"));
    ASSERT_EQ(rows.size(), 2u) << run.err();
    for (const auto& [model, row] : rows) {
        EXPECT_EQ(row["outcome"], "interrupted") << model;
        EXPECT_EQ(row["status"], "8") << model;
    }

    Process again(
        batchArgs(dir, {bell5, longMip}, {"--jobs", "2", "--resume", "--time-limit", "1"}), dir);
    EXPECT_EQ(again.wait(60), 1) << again.err();
    EXPECT_NE(again.err().find("[2/2]"), std::string::npos) << again.err();
    EXPECT_EQ(readSummary(logs + "/batch-summary.csv").size(), 4u);
}

// A solve that does not hear the first Ctrl-C: the second ends the batch at once.
TEST(Batch, SecondCtrlCEndsAtOnce) {
    const std::string dir = scratchDir("ctrl-c-twice");
    const std::string hanging = writeTinyLp(dir, "hang.lp");
    const std::string log = dir + "/logs/xpress_0.log";
    Process run(batchArgs(dir, {hanging}), dir, {"CORVANE_TEST_HANG_MODEL=hang.lp"});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(log); }, 60)) << run.err();
    run.signal(SIGINT);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(run.running()) << "the hanging solve ended on the first Ctrl-C";
    run.signal(SIGINT);
    EXPECT_EQ(run.wait(5), 130) << run.err();
}

TEST(Batch, InputItCannotStartWithIsRefusedBeforeAnySolve) {
    const std::string dir = scratchDir("refusals");
    const std::string model = writeTinyLp(dir, "tiny.lp");
    std::ofstream(dir + "/empty.list") << "# nothing\n\n";
    std::ofstream(dir + "/a-file") << "x\n";
    fs::create_directories(dir + "/no-models");
    std::ofstream(dir + "/no-models/readme.txt") << "x\n";
    fs::create_directories(dir + "/held");
    std::ofstream(dir + "/held/batch-summary.csv") << "model,rows\nold,1\n";
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{model, dir + "/missing.mps"}, "no such model file: " + dir + "/missing.mps"},
        {{"--list", dir + "/empty.list"}, "names no models"},
        {{dir + "/no-models"}, "holds no models"},
        {{}, "no models"},
        {{model, "--summary", dir + "/a-file/summary.csv"}, "cannot write the summary"},
        {{model, "--summary", dir + "/s.csv", "--solutions", dir + "/a-file/s"},
         "cannot create the solutions directory"},
        {{model, "--logdir", dir + "/a-file/logs"}, "cannot create the log directory"},
        {{model, "--summary", dir + "/held/batch-summary.csv"}, "already holds rows"},
        {{model, "--set", "NODESELECTOIN=2"}, "NODESELECTOIN"},
        {{model, "--set", "RANKID=4"}, "RANKID"},
        {{model, "--summary", dir + "/held"}, "the summary " + dir + "/held is a directory"},
        {{"--list", dir + "/no-models"}, "the list " + dir + "/no-models is a directory"},
        {{"/dev/null"}, "/dev/null is not a model file"},
        {{model, "--jobs", "0"}, "--jobs: must be a whole number"},
        {{model, "--jobs", "abc"}, "--jobs: must be a whole number"},
        {{model, "--jobs", "99999999999"}, "--jobs: must be a whole number"},
        {{model, "--threads", "-1"}, "--threads: must be a whole number"},
        {{model, "--time-limit", "nan"}, "--time-limit: must be a number of seconds above 0"},
        {{model, "--time-limit", "-1"}, "--time-limit: must be a number of seconds above 0"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        const std::string logs = dir + "/logs";
        fs::remove_all(logs);
        std::vector<std::string> command = {kCorvane, "batch"};
        if (std::find(args.begin(), args.end(), "--logdir") == args.end())
            command.insert(command.end(), {"--logdir", logs});
        command.insert(command.end(), args.begin(), args.end());
        Process run(command, dir);
        EXPECT_EQ(run.wait(60), 2);
        const std::string err = run.err();
        EXPECT_NE(err.find(message), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(fs::exists(logs + "/xpress_0.log")) << "a solve started";
    }
}

// `corvane solve --time-limit`: the MIP search ends on its limit with its incumbent, and the
// summary and the solution file say so.
TEST(SolveTimeLimit, MipKeepsItsIncumbent) {
    const std::string longMip = kData + "/repro/sp150x300d.mps.gz";
    if (!fs::exists(longMip)) GTEST_SKIP() << "no shared data";
    const std::string dir = scratchDir("solve-limit");
    Process run({kCorvane, "solve", longMip, "--quiet", "--time-limit", "1", "--threads", "1",
                 "--logdir", dir + "/logs", "--solution", dir + "/solution.json"},
                dir);
    EXPECT_EQ(run.wait(60), 0) << run.err();
    EXPECT_NE(run.out().find("Status      time limit (STATUS 1"), std::string::npos) << run.out();
    const Json solution = Json::parse(std::ifstream(dir + "/solution.json"));
    EXPECT_EQ(solution["time_limit"], true);
    EXPECT_EQ(solution["interrupted"], false);
    ASSERT_TRUE(solution["objective"].is_number());
    // Its proven optimum is 69: the incumbent of this minimisation is no better, and integral.
    EXPECT_GE(solution["objective"].get<double>(), 69.0 - 1e-6);
    for (const Json& column : solution["columns"]) {
        const double value = column["value"].get<double>();
        EXPECT_NEAR(value, std::round(value), 1e-6) << column["name"];
    }
}

}  // namespace
