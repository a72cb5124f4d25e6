#include "double_fixture.hpp"

namespace {

using RunTest = DoubleTest;

// Returns the scripted answers in turn, then 0.
struct LpLogAnswers {
    std::vector<int> answers;
    std::size_t calls = 0;
};

int XPRS_CC answerLpLog(XPRSprob, void* data) {
    auto* log = static_cast<LpLogAnswers*>(data);
    const std::size_t call = log->calls++;
    return call < log->answers.size() ? log->answers[call] : 0;
}

struct Messages {
    std::vector<std::string> lines;
};

template <int Tag>
void XPRS_CC collect(XPRSprob, void* data, const char* text, int length, int type) {
    static_cast<Messages*>(data)->lines.push_back(
        std::to_string(Tag) + ":" + std::string(text, length) + ":" + std::to_string(type));
}

int XPRS_CC destroyOwnProblem(XPRSprob prob, void* data) {
    ++*static_cast<int*>(data);
    XPRSdestroyprob(prob);
    return 0;
}

TEST_F(RunTest, LpLogStopsAtTheFirstNonZeroAnswerAndKeepsEveryAnswer) {
    LpLogAnswers log{{0, 0, 5}};
    XPRSsetcblplog(prob, answerLpLog, &log);
    xdbl_fire_lplog("XPRSminim", 1, 10);
    xdbl_fire_lplog("XPRSminim", 2, 2);
    XPRSminim(prob, "");
    EXPECT_EQ(log.calls, 3u);
    XPRSminim(prob, "");
    EXPECT_EQ(xdbl::lplogResults(), (std::vector<int>{0, 0, 5, 0, 0}));

    xdbl_set_return_at("XPRSminim", 3, 2);
    xdbl_fire_lplog("XPRSminim", 3, 1);
    XPRSminim(prob, "");  // a failing call fires nothing
    XPRSsetcblplog(prob, nullptr, nullptr);
    xdbl_fire_lplog("XPRSminim", 4, 1);
    XPRSminim(prob, "");
    EXPECT_EQ(log.calls, 5u);
}

TEST_F(RunTest, MessagesReachCallbacksByPriorityAndTheLogFileInScriptedOrder) {
    const std::string logFile = tempFile("run.log");
    {
        std::FILE* earlier = std::fopen(logFile.c_str(), "w");
        ASSERT_NE(earlier, nullptr);
        std::fputs("earlier run\n", earlier);
        std::fclose(earlier);
    }
    Messages seen;
    XPRSaddcbmessage(prob, collect<1>, &seen, 0);
    XPRSaddcbmessage(prob, collect<2>, &seen, 5);
    ASSERT_EQ(XPRSsetlogfile(prob, logFile.c_str()), 0);
    xdbl_fire_message("XPRSmipoptimize", 0, "first", 1);
    xdbl_fire_message("XPRSmipoptimize", 2, "", 3);
    xdbl_fire_message("XPRSmipoptimize", 0, "last", 4);
    XPRSmipoptimize(prob, "");
    XPRSmipoptimize(prob, "");

    EXPECT_EQ(seen.lines, (std::vector<std::string>{"2:first:1", "1:first:1", "2:last:4",
                                                    "1:last:4", "2:first:1", "1:first:1", "2::3",
                                                    "1::3", "2:last:4", "1:last:4"}));
    EXPECT_EQ(contents(logFile), "earlier run\nfirst\nlast\nfirst\n\nlast\n");
}

TEST_F(RunTest, LogFileInAMissingFolderFailsAndLoggingCanBeEnded) {
    const std::string logFile = tempFile("ended.log");
    EXPECT_EQ(XPRSsetlogfile(prob, (logFile + "_missing/x.log").c_str()), XDBL_ERR_FILE);
    ASSERT_EQ(XPRSsetlogfile(prob, logFile.c_str()), 0);
    EXPECT_EQ(XPRSsetlogfile(prob, nullptr), 0);
    xdbl_fire_message("XPRSminim", 0, "unlogged", 1);
    XPRSminim(prob, "");
    EXPECT_EQ(contents(logFile), "");
}

TEST_F(RunTest, ReadingAMissingBasisFailsWithCodeAndText) {
    const std::string basis = tempFile("missing.bss");
    EXPECT_EQ(XPRSreadbasis(prob, basis.c_str(), ""), XDBL_ERR_FILE);
    int code = 0;
    XPRSgetintattrib(prob, XPRS_ERRORCODE, &code);
    EXPECT_EQ(code, XDBL_ERR_FILE);
    char text[512];
    XPRSgetlasterror(prob, text);
    EXPECT_NE(std::string(text).find(basis), std::string::npos);
    EXPECT_EQ(xdbl::nth("XPRSreadbasis", 1).strings,
              (std::vector<std::optional<std::string>>{basis, ""}));
}

TEST_F(RunTest, WrittenBasisAndProblemFilesCanBeReadBack) {
    loadSmallLp();
    const std::string basis = tempFile("written.bss");
    const std::string problem = tempFile("written.lp");
    ASSERT_EQ(XPRSwritebasis(prob, basis.c_str(), ""), 0);
    ASSERT_EQ(XPRSwriteprob(prob, problem.c_str(), "l"), 0);
    EXPECT_NE(contents(basis).find("rows 2 columns 3"), std::string::npos);
    EXPECT_NE(contents(problem).find("'small'"), std::string::npos);
    EXPECT_EQ(XPRSreadbasis(prob, basis.c_str(), ""), 0);

    xdbl_set_return("XPRSwritebasis", 8);
    const std::string unwritten = tempFile("unwritten.bss");
    EXPECT_EQ(XPRSwritebasis(prob, unwritten.c_str(), ""), 8);
    EXPECT_FALSE(std::filesystem::exists(unwritten));
}

TEST_F(RunTest, CallbackThatDestroysItsProblemEndsTheFiring) {
    int calls = 0;
    Messages seen;
    XPRSsetcblplog(prob, destroyOwnProblem, &calls);
    XPRSaddcbmessage(prob, collect<1>, &seen, 0);
    xdbl_fire_lplog("XPRSminim", 1, 3);
    xdbl_fire_message("XPRSminim", 1, "after", 1);
    EXPECT_EQ(XPRSminim(prob, ""), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(seen.lines.empty());
    EXPECT_EQ(xdbl_problems_alive(), 0);
    prob = nullptr;
}

}  // namespace
