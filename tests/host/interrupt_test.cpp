// `corvane` as a user runs it at a terminal: Ctrl-C during a long solve, once and twice, and the
// runs that must still end with an answer or a clean refusal (an unreadable saved basis, a
// coefficient the optimizer cannot take).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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

// How long a stopped solve may take to end, measured from the signal.
constexpr double kStopSeconds = 2.0;
// Generous limits for what the shared test machine may take before the solve is under way.
constexpr double kStartLimitSeconds = 120.0;
constexpr double kEndLimitSeconds = 60.0;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

using corvane::test::slurp;

// Folders of this test process's own, removed when the tests end.
class ScratchFolders : public testing::Environment {
  public:
    static std::vector<std::string>& made() {
        static std::vector<std::string> folders;
        return folders;
    }
    void TearDown() override {
        std::error_code ignored;
        for (const std::string& folder : made()) fs::remove_all(folder, ignored);
    }
};

const auto* const scratchFolders = testing::AddGlobalTestEnvironment(new ScratchFolders);

std::string scratchDir(const std::string& name) {
    const std::string dir =
        testing::TempDir() + "interrupt-" + std::to_string(::getpid()) + "-" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    ScratchFolders::made().push_back(dir);
    return dir;
}

bool waitUntil(const std::function<bool()>& condition, double limitSeconds) {
    const auto start = Clock::now();
    while (!condition()) {
        if (secondsSince(start) > limitSeconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// One `corvane solve` running as a child process, its output in files of its own folder.
class CorvaneProcess {
  public:
    // Run files go to `logDir`, or to a folder of the run's own when it is empty.
    CorvaneProcess(const std::string& model, const std::string& name,
                   const std::vector<std::string>& extra = {}, const std::string& logDir = "")
        : dir_(scratchDir(name)), logDir_(logDir.empty() ? dir_ + "/logs" : logDir) {
        std::vector<std::string> args = {kCorvane,   "solve", model,        "--quiet",
                                         "--logdir", logDir_, "--solution", solutionPath()};
        args.insert(args.end(), extra.begin(), extra.end());
        pid_ = ::fork();
        if (pid_ == 0) runChild(args);
    }
    ~CorvaneProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    CorvaneProcess(const CorvaneProcess&) = delete;
    CorvaneProcess& operator=(const CorvaneProcess&) = delete;

    bool started() const { return pid_ > 0; }

    // The optimizer has begun to write its own lines behind the banner of the run log.
    bool optimizing() const {
        std::error_code error;
        const auto size = fs::file_size(logDir_ + "/xpress.log", error);
        return !error && size > 200;
    }

    // Ctrl-C for this process alone, and only while it is there to get it.
    void interrupt() {
        if (pid_ > 0) ::kill(pid_, SIGINT);
        signalled_ = Clock::now();
    }

    // Waits for the end; false when the process is still running after the limit.
    bool waitForEnd(double limitSeconds) {
        return waitUntil([this] { return !running(); }, limitSeconds);
    }

    bool running() {
        if (pid_ <= 0) return false;
        if (::waitpid(pid_, &waitStatus_, WNOHANG) != pid_) return true;
        ended_ = Clock::now();
        pid_ = -1;
        return false;
    }
    double secondsFromSignalToEnd() const {
        return std::chrono::duration<double>(ended_ - signalled_).count();
    }
    int exitStatus() const { return WIFEXITED(waitStatus_) ? WEXITSTATUS(waitStatus_) : -1; }
    std::string out() const { return slurp(dir_ + "/out"); }
    std::string err() const { return slurp(dir_ + "/err"); }
    std::string log() const { return slurp(logDir_ + "/xpress.log"); }
    std::string solutionPath() const { return dir_ + "/solution.json"; }
    Json solution() const {
        if (!fs::exists(solutionPath())) return Json();
        return Json::parse(std::ifstream(solutionPath()));
    }

  private:
    void runChild(const std::vector<std::string>& args) const {
        const int out = ::open((dir_ + "/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open((dir_ + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0) ::_exit(126);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::dup2(in, STDIN_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }

    std::string dir_;
    std::string logDir_;
    pid_t pid_ = -1;
    int waitStatus_ = 0;
    Clock::time_point signalled_, ended_;
};

// A covering LP, min c x with A x >= b and x >= 0, that the simplex methods take several
// seconds over: random small coefficients, eight per column, from a fixed seed.
std::string writeLongLp(const std::string& dir) {
    constexpr int kRows = 3000;
    constexpr int kColumns = 6000;
    constexpr int kPerColumn = 8;
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0x7fffff;
    };
    const std::string path = dir + "/covering.mps";
    std::ofstream mps(path);
    // Fixed MPS: names in columns 5 and 15, values from column 25.
    char line[64];
    const auto entry = [&](const std::string& column, const std::string& row, unsigned value) {
        std::snprintf(line, sizeof line, "    %-8s  %-8s  %u\n", column.c_str(), row.c_str(),
                      value);
        mps << line;
    };
    mps << "NAME          COVERING\nROWS\n N  obj\n";
    for (int r = 0; r < kRows; ++r) mps << " G  r" << r << "\n";
    mps << "COLUMNS\n";
    std::vector<int> lastColumnOfRow(kRows, -1);
    for (int j = 0; j < kColumns; ++j) {
        const std::string column = "x" + std::to_string(j);
        entry(column, "obj", 50 + next() % 100);
        for (int k = 0; k < kPerColumn; ++k) {
            const int r = static_cast<int>(next() % kRows);
            const unsigned value = 1 + next() % 9;
            if (lastColumnOfRow[r] == j) continue;
            lastColumnOfRow[r] = j;
            entry(column, "r" + std::to_string(r), value);
        }
    }
    mps << "RHS\n";
    for (int r = 0; r < kRows; ++r) entry("rhs", "r" + std::to_string(r), 10 + next() % 90);
    mps << "ENDATA\n";
    return path;
}

// Starts the solve, waits until the optimizer is at work, and sends Ctrl-C.
void interruptWhileOptimizing(CorvaneProcess& run, double settleSeconds) {
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(
        waitUntil([&run] { return run.optimizing() || !run.running(); }, kStartLimitSeconds));
    std::this_thread::sleep_for(std::chrono::duration<double>(settleSeconds));
    ASSERT_TRUE(run.running()) << "the solve ended before Ctrl-C:\n" << run.out() << run.err();
    run.interrupt();
}

// What an interrupted solve must show: a prompt end, the interrupt said, no answer made up.
void expectInterrupted(CorvaneProcess& run) {
    ASSERT_TRUE(run.waitForEnd(kEndLimitSeconds)) << "still running after the interrupt";
    EXPECT_LT(run.secondsFromSignalToEnd(), kStopSeconds);
    EXPECT_EQ(run.exitStatus(), 130) << run.out() << run.err();
    EXPECT_NE(run.err().find("interrupted"), std::string::npos) << run.err();
    EXPECT_EQ(run.out().find("solved"), std::string::npos) << run.out();
    EXPECT_EQ(run.err().find("solved"), std::string::npos) << run.err();
    EXPECT_NE(run.out().find("Status      interrupted (STATUS 8"), std::string::npos) << run.out();
    EXPECT_NE(run.out().find("Objective   none"), std::string::npos) << run.out();

    const Json solution = run.solution();
    ASSERT_TRUE(solution.is_object()) << "no solution file";
    EXPECT_EQ(solution["interrupted"], true);
    EXPECT_EQ(solution["status"], 8);
    EXPECT_TRUE(solution["objective"].is_null());
    // The start point was 0 everywhere, and an interrupted solve hands the start values back.
    for (const Json& column : solution["columns"])
        EXPECT_EQ(column["value"].get<double>(), 0.0) << column["name"];
}

// A search of some 40 seconds, still at work when Ctrl-C comes on any machine: bell5 ends within
// the second the test waits.
TEST(CtrlC, StopsAMipSearchAtTheDefaultThreadCount) {
    const std::string model = kData + "/repro/sp150x300d.mps.gz";
    if (!fs::exists(model)) GTEST_SKIP() << "no shared data";
    CorvaneProcess run(model, "sp150x300d");
    interruptWhileOptimizing(run, 1.0);
    expectInterrupted(run);
}

TEST(CtrlC, StopsALinearProgram) {
    const std::string model = writeLongLp(scratchDir("lp-model"));
    CorvaneProcess run(model, "long-lp");
    interruptWhileOptimizing(run, 0.5);
    expectInterrupted(run);
}

// Ctrl-C twice in a row: whether the second arrives while the solver is still stopping or once
// the solve is over, the program ends with status 130, never killed by the signal. (The host
// kit's own tests raise the two in order within one process.)
TEST(CtrlC, SecondCtrlCEndsTheProgramAtOnce) {
    const std::string model = kData + "/repro/sp150x300d.mps.gz";
    if (!fs::exists(model)) GTEST_SKIP() << "no shared data";
    CorvaneProcess run(model, "sp150x300d-twice");
    interruptWhileOptimizing(run, 1.0);
    run.interrupt();
    ASSERT_TRUE(run.waitForEnd(kEndLimitSeconds)) << "still running after the second interrupt";
    EXPECT_LT(run.secondsFromSignalToEnd(), kStopSeconds);
    EXPECT_EQ(run.exitStatus(), 130) << run.out() << run.err();
    EXPECT_NE(run.err().find("interrupted"), std::string::npos) << run.err();
}

// A solve left to its end.
void finish(CorvaneProcess& run) {
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.waitForEnd(kEndLimitSeconds)) << "still running";
}

struct Published {
    std::string path;
    double optimum;
};

// A saved basis that cannot be read costs the solve its warm start and nothing more: the read is
// reported in the log, and the MIP search, like the LP, reports the optimum it finds.
TEST(UnreadableBasis, MipAndLpStillReportTheirOptima) {
    const Published mip{kData + "/miplib3/p0033.mps.gz", 3089.0};
    const Published lp{kData + "/netlib/afiro.mps.gz", -464.7531428571};
    // Another LP, whose basis names rows and columns that neither model has.
    const Published otherLp{kData + "/netlib/adlittle.mps.gz", 225494.96316};
    if (!fs::exists(mip.path) || !fs::exists(lp.path) || !fs::exists(otherLp.path))
        GTEST_SKIP() << "no shared data";
    const auto leaveBasis = [](const std::string& model, const std::string& logDir) {
        CorvaneProcess run(model, "basis-maker", {}, logDir);
        finish(run);
        ASSERT_EQ(run.exitStatus(), 0) << run.out() << run.err();
        ASSERT_TRUE(fs::exists(logDir + "/xpress.bss"));
    };
    const struct {
        const char* name;
        std::function<void(const Published& self, const Published& other, const std::string&)>
            prepare;
    } ways[] = {
        {"another model's basis",
         [&](const Published&, const Published& other, const std::string& logDir) {
             leaveBasis(other.path, logDir);
         }},
        {"truncated basis",
         [&](const Published& self, const Published&, const std::string& logDir) {
             leaveBasis(self.path, logDir);
             const std::string basis = logDir + "/xpress.bss";
             fs::resize_file(basis, fs::file_size(basis) / 2);
         }},
        {"foreign file",
         [](const Published&, const Published&, const std::string& logDir) {
             std::ofstream(logDir + "/xpress.bss") << "\x7f"
                                                   << "ELF not a basis at all\n";
         }},
    };
    for (const auto& [self, other] : {std::pair{mip, otherLp}, std::pair{lp, otherLp}}) {
        for (const auto& way : ways) {
            SCOPED_TRACE(self.path + ", " + way.name);
            const std::string logDir = scratchDir("unreadable-basis");
            way.prepare(self, other, logDir);
            CorvaneProcess run(self.path, "unreadable-basis-run", {"--set", "WSTART=1"}, logDir);
            finish(run);
            EXPECT_NE(run.log().find(" *** Error loading basis. Error code "), std::string::npos)
                << run.log();
            EXPECT_EQ(run.exitStatus(), 0) << run.out() << run.err();
            const Json solution = run.solution();
            ASSERT_TRUE(solution.is_object()) << "no solution file";
            EXPECT_EQ(solution["status"], 1);
            ASSERT_TRUE(solution["objective"].is_number());
            EXPECT_NEAR(solution["objective"].get<double>(), self.optimum,
                        1e-6 * std::fabs(self.optimum));
        }
    }
}

// An objective coefficient the optimizer's simplex would abort on is refused with the file and
// line, for a MIP and for an LP alike: the program ends on its own, with no answer. (The model
// reader refuses it before the plug-in sees it; the optimizer library refuses it at load too.)
TEST(Refusals, HugeObjectiveCoefficientIsRefusedCleanly) {
    const std::string dir = scratchDir("huge-objective");
    for (const std::string integers : {"General\n x\n", ""}) {
        SCOPED_TRACE(integers.empty() ? "LP" : "MIP");
        const std::string model = dir + "/huge.lp";
        std::ofstream(model) << "Minimize\n obj: 1e26 x + y\nSubject To\n c: x + y >= 1\n"
                                "Bounds\n x <= 10\n"
                             << integers << "End\n";
        CorvaneProcess run(model, "huge-objective-run");
        finish(run);
        EXPECT_EQ(run.exitStatus(), 2) << run.out() << run.err();
        EXPECT_NE(run.err().find("huge.lp:2: the coefficient 1e+26"), std::string::npos)
            << run.err();
        EXPECT_EQ(run.out().find("Objective"), std::string::npos) << run.out();
        EXPECT_FALSE(fs::exists(run.solutionPath()));
    }
}

}  // namespace
