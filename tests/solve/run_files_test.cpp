// The files a solve leaves behind: their names, the run log, the basis and the problem file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <map>
#include <sstream>
#include <string>

#include "solve/processor_clock.h"
#include "solve/run_file_names.h"
#include "tests/support/solve_fixture.h"

namespace {

using corvane::buildBasisWarningFileName;
using corvane::buildProblemFileName;
using corvane::buildRunFileNames;
using corvane::test::slurp;
using corvane::test::SolveFixture;
namespace fs = std::filesystem;

std::string separated(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '/') c = corvane::kDirectorySeparator;
    return out;
}

TEST(RunFileNames, DefaultsCarryNoRank) {
    const auto names = buildRunFileNames("", -1);
    EXPECT_EQ(names.log, separated("/xpress.log"));
    EXPECT_EQ(names.report, separated("/lpsolver.inf"));
    EXPECT_EQ(names.basis, separated("/xpress.bss"));
    EXPECT_EQ(buildProblemFileName("", -1, 0), separated("/xpress_0.mps"));
    EXPECT_EQ(buildBasisWarningFileName(""), separated("/xpressBasisFailed.log"));
}

TEST(RunFileNames, RankAndDirectoryAreBuiltIn) {
    const auto names = buildRunFileNames("runs", 3);
    EXPECT_EQ(names.log, separated("runs/xpress_3.log"));
    EXPECT_EQ(names.report, separated("runs/lpsolver_3.inf"));
    EXPECT_EQ(names.basis, separated("runs/xpress_3.bss"));
    EXPECT_EQ(buildProblemFileName("runs", 3, 2), separated("runs/xpress_p3_2.mps"));
    EXPECT_EQ(buildBasisWarningFileName("runs"), separated("runs/xpressBasisFailed.log"));
    EXPECT_EQ(buildRunFileNames("d", 0).log, separated("d/xpress_0.log"));
}

TEST(RunFileNames, NamesThatDoNotFitAreRefusedWhole) {
    const std::string directory(255, 'd');
    testing::internal::CaptureStderr();
    const auto names = buildRunFileNames(directory.c_str(), -1);
    EXPECT_EQ(names.log.size(), 255u + 11u);  // 266 characters and the terminator fit
    EXPECT_EQ(buildProblemFileName(directory.c_str(), 123456789, 987654321), "");
    const std::string diagnostics = testing::internal::GetCapturedStderr();
    EXPECT_NE(diagnostics.find("xpress_p123456789_987654321.mps"), std::string::npos);
    EXPECT_EQ(std::count(diagnostics.begin(), diagnostics.end(), '\n'), 1);
}

class RunFiles : public SolveFixture {
  protected:
    RunFiles() { xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL); }
    ~RunFiles() override { corvane::setProcessorClock(nullptr); }
};

TEST_F(RunFiles, LogStartsWithTheBannerAndIsSharedWithTheOptimizer) {
    xdbl_set_version("9.9.9");
    xdbl_fire_message("XPRSminim", 0, "optimizer line", 1);
    solve();
    EXPECT_EQ(log(),
              "\nXPRESS version 9.9.9\n\n"
              "optimizer line\n"
              " *** Successful LP solution found *** \n"
              " *** Optimal Objective Value is 0\n");
    EXPECT_EQ(xdbl::nth("XPRSsetlogfile", 1).strings.at(0), file("xpress.log").string());
}

// The optimizer appends to the log while the plug-in writes to it: at a refused control, in the
// MIP search, in the fixed re-solve and when the solution cannot be retrieved. Every line of
// either writer is kept whole, and the optimizer's in the order of its calls.
TEST_F(RunFiles, LinesOfTheOptimizerAndThePluginInterleaveWhole) {
    const std::vector<std::string> writers = {
        "XPRSsetintcontrol", "XPRSsetdblcontrol", "XPRSloadglobal", "XPRSmipoptimize",
        "XPRSgetmipsol",     "XPRSfixglobals",    "XPRSminim"};
    for (const std::string& function : writers)
        for (int k = 1; k <= 60; ++k)
            xdbl_fire_message(function.c_str(), k,
                              (function + " line " + std::to_string(k)).c_str(), 1);
    vars.types = {vrim_var_word(VRIM_VAR_INTEGER, 0), 0};
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    xdbl_refuse_control(XPRS_SCALING);
    xdbl_set_return("XPRSgetlpsol", 33);
    solve();

    std::vector<std::string> fired;
    std::map<std::string, int> occurrence;
    bool logging = false;  // the optimizer writes to the log once it has its name
    for (const xdbl::Call& call : xdbl::calls()) {
        const int k = ++occurrence[call.name];
        logging = logging || call.name == "XPRSsetlogfile";
        if (!logging) continue;
        const bool writes = std::find(writers.begin(), writers.end(), call.name) != writers.end();
        if (writes && call.result == 0 && k <= 60)
            fired.push_back(call.name + " line " + std::to_string(k));
    }
    std::vector<std::string> optimizerLines, pluginLines;
    std::istringstream lines(log());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("XPRS", 0) == 0 && line.find(" line ") != std::string::npos) {
            optimizerLines.push_back(line);
        } else if (!line.empty() && line.rfind("XPRESS version ", 0) != 0) {
            pluginLines.push_back(line);
        }
    }
    EXPECT_EQ(optimizerLines, fired) << log();
    const std::vector<std::string> expected = {
        " *** Error setting XPRESS LP algorithm option 35",
        " *** Error in retrieving solution from XPRESS solver. Error code 33",
        " *** Successful MIP solution found *** ", " *** Optimal Objective Value is 0"};
    EXPECT_EQ(pluginLines, expected) << log();
    // The refusal follows the line of the call before it; the failed retrieval the re-solve's.
    const std::string text = log();
    const int scaling = [] {
        int k = 0;
        for (const xdbl::Call& call : xdbl::calls("XPRSsetintcontrol")) {
            ++k;
            if (call.ints.at(0) == XPRS_SCALING) return k;
        }
        return 0;
    }();
    EXPECT_NE(text.find("XPRSsetintcontrol line " + std::to_string(scaling - 1) + "\n" +
                        expected[0] + "\nXPRSsetintcontrol line " + std::to_string(scaling + 1)),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("XPRSminim line 1\n" + expected[1] + "\n"), std::string::npos) << text;
}

// A host locale that writes 0.5 as "0,5" and groups thousands as 100.000.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(RunFiles, LogNumbersKeepTheirFormInAnyHostLocale) {
    const std::locale hostDefault =
        std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    solver = std::make_unique<ZOLXpress>();  // made, like its streams, under the host's locale
    solver->setConvergenceSummary(summary);
    solver->setStringParam("LOGDIR", logDir.string().c_str());
    xdbl_set_dbl_attrib(XPRS_LPOBJVAL, 100000.0);
    xdbl_refuse_control(XPRS_ELIMTOL);
    xdbl_refuse_control(XPRS_MAXMIPSOL);
    solver->setIntParam("MAXMIPSOL", 250000);
    solve();
    xdbl_set_return("XPRSminim", 1234);
    solve();
    std::locale::global(hostDefault);
    const std::string text = log();
    EXPECT_NE(text.find(" *** Error setting XPRESS LP algorithm option XPRS_ELIMTOL 0.001\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" *** Error setting XPRESS LP algorithm option 250000\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" *** Error in XPRESS solver during optimization. Error code 1234\n"),
              std::string::npos)
        << text;
    solver->setIntParam("MAXMIPSOL", 10);
    xdbl_set_return("XPRSminim", 0);
    solve();
    EXPECT_NE(log().find(" *** Optimal Objective Value is 100000\n"), std::string::npos) << log();
}

TEST_F(RunFiles, EachSolveStartsItsLogAfresh) {
    solve();
    solver->setIntParam("RANKID", 5);
    xdbl_set_version("second");
    solve();
    EXPECT_NE(slurp(file("xpress_5.log")).find("XPRESS version second"), std::string::npos);
    xdbl_set_version("third");
    solve();
    const std::string third = slurp(file("xpress_5.log"));
    EXPECT_EQ(third.find("second"), std::string::npos);
    EXPECT_EQ(third.rfind("\nXPRESS version third\n\n", 0), 0u);
}

#if !defined(_WIN32)
// A log that is a link keeps being one: the solve writes through it, as it always did.
TEST_F(RunFiles, LogThatIsALinkIsWrittenThroughIt) {
    const fs::path target = file("kept-elsewhere.log");
    { std::ofstream(target) << "an older run, longer than the new log will be ........"; }
    fs::create_symlink(target, file("xpress.log"));
    xdbl_set_version("linked");
    solve();
    EXPECT_TRUE(fs::is_symlink(file("xpress.log")));
    EXPECT_EQ(slurp(target).rfind("\nXPRESS version linked\n\n", 0), 0u);
    EXPECT_EQ(slurp(target).find("older"), std::string::npos);
}
#endif

TEST_F(RunFiles, ReportOneWritesOneProblemFileThenTurnsOff) {
    solver->setIntParam("REPORT", 1);
    solve();
    EXPECT_TRUE(fs::exists(file("xpress_0.mps")));
    EXPECT_EQ(xdbl::nth("XPRSwriteprob", 1).strings.at(1), "po");
    EXPECT_EQ(solver->inqIntParam("REPORT"), 0);
    solve();
    EXPECT_FALSE(fs::exists(file("xpress_1.mps")));
    EXPECT_EQ(xdbl_call_count("XPRSwriteprob"), 1);
}

TEST_F(RunFiles, ReportTwoWritesOneFilePerSolveWithTheRank) {
    solver->setIntParam("REPORT", 2);
    solver->setIntParam("RANKID", 3);
    solve();
    solve();
    solve();
    EXPECT_TRUE(fs::exists(file("xpress_p3_0.mps")));
    EXPECT_TRUE(fs::exists(file("xpress_p3_1.mps")));
    EXPECT_TRUE(fs::exists(file("xpress_p3_2.mps")));
    EXPECT_EQ(solver->inqIntParam("REPORT"), 2);
    EXPECT_EQ(solver->runCounter, 2);
}

TEST_F(RunFiles, FailedBasisReadIsReportedAndTheSolveGoesOn) {
    solver->setIntParam("WSTART", 1);
    xdbl_set_last_error("no basis there");
    const auto outcome = solve();
    EXPECT_NE(log().find(" *** Error loading basis. Error code 93\nno basis there\n"),
              std::string::npos)
        << log();
    EXPECT_EQ(xdbl::nth("XPRSreadbasis", 1).strings.at(0), file("xpress.bss").string());
    EXPECT_EQ(xdbl::nth("XPRSreadbasis", 1).strings.at(1), "");
    // The continuous solve that follows succeeds and decides the outcome.
    EXPECT_EQ(outcome.result, 0);
}

// The failed read costs the search its warm start, not the solution it finds.
TEST_F(RunFiles, FailedBasisReadLeavesAMipSearchItsOutcome) {
    solver->setIntParam("WSTART", 1);
    vars.types[0] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    xdbl_set_last_error("no basis there");
    const auto outcome = solve();
    EXPECT_NE(log().find(" *** Error loading basis. Error code 93\nno basis there\n"),
              std::string::npos)
        << log();
    EXPECT_EQ(log().find("during optimization"), std::string::npos) << log();
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(status(), 1);
    EXPECT_EQ(xdbl_call_count("XPRSgetmipsol"), 1);
}

// With no status to interpret, the read's own result code is what the host gets.
TEST_F(RunFiles, FailedBasisReadIsTheResultWhenNothingLaterWritesOne) {
    solver->setIntParam("WSTART", 1);
    vars.types[0] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    xdbl_set_int_attrib(XPRS_MIPSTATUS, 0);
    EXPECT_EQ(solve().result, -2);
    EXPECT_FALSE(status().has_value());
}

TEST_F(RunFiles, SavedBasisIsReadWhenWarmStartIsOn) {
    solve();  // leaves the basis of a successful solve
    ASSERT_TRUE(fs::exists(file("xpress.bss")));
    solver->setIntParam("WSTART", 1);
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(xdbl_call_result(xdbl_call_index("XPRSreadbasis", 1)), 0);
}

std::clock_t scriptedTicks[8];
int scriptedReading = 0;
std::clock_t scriptedClock() {
    return scriptedTicks[scriptedReading++ % 8];
}

void scriptClock(double readSeconds, double totalSeconds) {
    scriptedReading = 0;
    scriptedTicks[0] = 0;
    scriptedTicks[1] = static_cast<std::clock_t>(readSeconds * CLOCKS_PER_SEC);
    scriptedTicks[2] = static_cast<std::clock_t>(totalSeconds * CLOCKS_PER_SEC);
    corvane::setProcessorClock(scriptedClock);
}

TEST_F(RunFiles, SlowBasisReadIsWarnedOnceAndSkippedAfterwards) {
    solve();
    solver->setIntParam("WSTART", 1);
    scriptClock(1.5, 2.0);
    solve();
    EXPECT_TRUE(solver->basisIgnored);
    EXPECT_EQ(slurp(file("xpressBasisFailed.log")),
              " *** Warning: The basis file will be ignored due to a large restoration time of "
              "1.5 seconds \n");
    EXPECT_EQ(xdbl_call_count("XPRSreadbasis"), 1);
    scriptClock(1.5, 2.0);
    solve();
    EXPECT_EQ(xdbl_call_count("XPRSreadbasis"), 1);
    EXPECT_EQ(slurp(file("xpressBasisFailed.log")),
              " *** Warning: The basis file will be ignored due to a large restoration time of "
              "1.5 seconds \n");
}

TEST_F(RunFiles, BasisReadsWithinTheLimitsAreKept) {
    solve();
    solver->setIntParam("WSTART", 1);
    scriptClock(0.9, 0.95);  // not over a second
    solve();
    scriptClock(1.5, 3.5);  // not over half the solve
    solve();
    EXPECT_FALSE(solver->basisIgnored);
    EXPECT_FALSE(fs::exists(file("xpressBasisFailed.log")));
    EXPECT_EQ(xdbl_call_count("XPRSreadbasis"), 2);
}

TEST_F(RunFiles, FailedFirstSolveRemovesAnOldBasis) {
    { std::ofstream(file("xpress.bss")) << "old"; }
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    EXPECT_EQ(solve().result, 1);
    EXPECT_FALSE(fs::exists(file("xpress.bss")));
}

TEST_F(RunFiles, FailedLaterSolveLeavesTheBasis) {
    solve();
    ASSERT_TRUE(fs::exists(file("xpress.bss")));
    xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_INFEAS);
    EXPECT_EQ(solve().result, 1);
    EXPECT_TRUE(fs::exists(file("xpress.bss")));
}

TEST_F(RunFiles, UnknownStatusNeitherSavesNorRemovesTheBasis) {
    { std::ofstream(file("xpress.bss")) << "old"; }
    xdbl_set_int_attrib(XPRS_LPSTATUS, 0);
    EXPECT_EQ(solve().result, 2);
    EXPECT_EQ(slurp(file("xpress.bss")), "old");
    EXPECT_EQ(xdbl_call_count("XPRSwritebasis"), 0);
}

TEST_F(RunFiles, FailedBasisSaveAtTheEndIsLoggedOnly) {
    xdbl_set_return("XPRSwritebasis", 17);
    EXPECT_EQ(solve().result, 0);
    EXPECT_NE(log().find(" *** Error saving basis. Error code 17\n"), std::string::npos);
}

}  // namespace
