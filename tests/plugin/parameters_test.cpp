// The parameter catalogue: defaults, validation, setting and inquiry by keyword and by index.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "solver/zol_xpress.h"

namespace {

struct IntDefault {
    const char* name;
    int value;
};
struct RealDefault {
    const char* name;
    double value;
};

// The published catalogue, in index order. IBARTHREAD's default is the machine's thread count.
const IntDefault kIntDefaults[] = {
    {"IALG", 1},
    {"IFPRES", -1},
    {"IFSCAL", 35},
    {"ITRLOG", 500},
    {"ICRASH", 2},
    {"WSTART", 0},
    {"DEVEX", 0},
    {"REPORT", 0},
    {"IPSLCT", 1},
    {"RELMIP", 0},
    {"FIXMIP", 0},
    {"MAXNODE", 100000},
    {"MAXMIPSOL", 100000000},
    {"NODESELECTION", 1},
    {"BACKTRACK", -1},
    {"MIPLOG", -100},
    {"CUTSTRATEGY", -1},
    {"PRESALG", 511},
    {"XWRITE", 0},
    {"IBARTHREAD", -1},
    {"IVSCAL", 1},
    {"RANKID", -1},
    {"MAXLPITER", 100000},
    {"PARALLELMIP", 1},
    {"MAXSCALEFACTOR", 64},
    {"MIPWARMSTART", 1},
    {"MAXBBMIPTIME", 0},
    {"HEURSEARCHFREQ", -1},
};
const RealDefault kRealDefaults[] = {
    {"ZTOLZE", 1.0e-6}, {"ZTCOST", 1.0e-6}, {"ZTETA", 1.0e-13}, {"ZTOLDA", 1.0e-9},
    {"OPTCA", 0.0},     {"OPTCR", 1.0e-5},  {"ZTOLIS", 1.0e-6}, {"ZTOLPV", 1.0e-9},
    {"ZTOLRP", 1.0e-6}, {"ZTOLRI", 0.01},   {"PERCUT", 1.0e-4}, {"HEURSEARCHEFFORT", 1.0},
};

int machineThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int expectedDefault(const IntDefault& entry) {
    return std::strcmp(entry.name, "IBARTHREAD") == 0 ? machineThreads() : entry.value;
}

class Parameters : public ::testing::Test {
  protected:
    std::unique_ptr<ZOLXpress> solver = std::make_unique<ZOLXpress>();
};

TEST_F(Parameters, CountsOfEachType) {
    EXPECT_EQ(solver->inqNumIntParam(), 28);
    EXPECT_EQ(solver->inqNumRealParam(), 12);
    EXPECT_EQ(solver->inqNumStringParam(), 1);
}

TEST_F(Parameters, EveryDefaultByNameAndByIndex) {
    for (int index = 1; index <= 28; ++index) {
        const IntDefault& entry = kIntDefaults[index - 1];
        char name[32] = "junk";
        int value = 0;
        solver->inqIntParam(index, name, value);
        EXPECT_STREQ(name, entry.name) << index;
        EXPECT_EQ(value, expectedDefault(entry)) << entry.name;
        EXPECT_EQ(solver->inqIntParam(entry.name), expectedDefault(entry)) << entry.name;
        EXPECT_EQ(solver->validParam(entry.name), RTSolver::INT_PARAMETER) << entry.name;
    }
    for (int index = 1; index <= 12; ++index) {
        const RealDefault& entry = kRealDefaults[index - 1];
        char name[32] = "junk";
        double value = 0.0;
        solver->inqRealParam(index, name, value);
        EXPECT_STREQ(name, entry.name) << index;
        EXPECT_DOUBLE_EQ(value, entry.value) << entry.name;
        EXPECT_DOUBLE_EQ(solver->inqRealParam(entry.name), entry.value) << entry.name;
        EXPECT_EQ(solver->validParam(entry.name), RTSolver::REAL_PARAMETER) << entry.name;
    }
    char name[32] = "junk";
    char value[256] = "junk";
    solver->inqStringParam(1, name, value);
    EXPECT_STREQ(name, "LOGDIR");
    EXPECT_STREQ(value, "");
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "");
    EXPECT_EQ(solver->validParam("LOGDIR"), RTSolver::STRING_PARAMETER);
}

// Each keyword has a member of its own: set all to distinct values, then read all back.
TEST_F(Parameters, EveryKeywordOwnsItsMember) {
    for (int index = 1; index <= 28; ++index)
        solver->setIntParam(kIntDefaults[index - 1].name, 1000 + index);
    for (int index = 1; index <= 12; ++index)
        solver->setRealParam(kRealDefaults[index - 1].name, 0.5 + index);
    for (int index = 1; index <= 28; ++index) {
        char name[32];
        int value = 0;
        solver->inqIntParam(index, name, value);
        EXPECT_EQ(value, 1000 + index) << name;
    }
    for (int index = 1; index <= 12; ++index) {
        char name[32];
        double value = 0.0;
        solver->inqRealParam(index, name, value);
        EXPECT_EQ(value, 0.5 + index) << name;
    }
    // The members other parts of the solver read.
    EXPECT_EQ(solver->variableScaling, 1000 + 21);
    EXPECT_EQ(solver->scaling, 1000 + 3);
    EXPECT_EQ(solver->threads, 1000 + 20);
    EXPECT_EQ(solver->heurSearchFreq, 1000 + 28);
    EXPECT_EQ(solver->feasibilityTol, 0.5 + 1);
    EXPECT_EQ(solver->heurSearchEffort, 0.5 + 12);
}

TEST_F(Parameters, NamesMatchExactlyAndOnlyWithinTheirType) {
    for (const char* name : {"ialg", "IALG ", "IAL", " IALG", "", "ztolze", "LOGDIRS", "logdir"})
        EXPECT_EQ(solver->validParam(name), RTSolver::NO_PARAMETER) << '"' << name << '"';
    EXPECT_EQ(solver->validParam(nullptr), RTSolver::NO_PARAMETER);

    solver->setIntParam("ZTOLZE", 5);
    solver->setIntParam("ialg", 4);
    solver->setRealParam("IALG", 4.0);
    solver->setStringParam("IALG", "text");
    EXPECT_DOUBLE_EQ(solver->inqRealParam("ZTOLZE"), 1.0e-6);
    EXPECT_EQ(solver->inqIntParam("IALG"), 1);
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "");

    solver->setIntParam("NODESELECTION", 2);
    EXPECT_EQ(solver->inqIntParam("NODESELECTION"), 2);
}

TEST_F(Parameters, SentinelsForUnknownNames) {
    EXPECT_EQ(solver->inqIntParam("NOSUCH"), 0);
    EXPECT_EQ(solver->inqIntParam("ZTOLZE"), 0);
    EXPECT_EQ(solver->inqRealParam("NOSUCH"), 1.0e35);
    EXPECT_EQ(solver->inqRealParam("IALG"), 1.0e35);
    EXPECT_STREQ(solver->inqStringParam("NOSUCH"), "UNDEFINED");
    EXPECT_STREQ(solver->inqStringParam("IALG"), "UNDEFINED");
    EXPECT_EQ(solver->inqIntParam(static_cast<const char*>(nullptr)), 0);
}

TEST_F(Parameters, SentinelsForIndicesOutOfRange) {
    for (int index : {0, 29, -1}) {
        char name[32] = "junk";
        int value = 0;
        solver->inqIntParam(index, name, value);
        EXPECT_STREQ(name, "") << index;
        EXPECT_EQ(value, 99999999) << index;
    }
    for (int index : {0, 13}) {
        char name[32] = "junk";
        double value = 0.0;
        solver->inqRealParam(index, name, value);
        EXPECT_STREQ(name, "") << index;
        EXPECT_EQ(value, 1.0e35) << index;
    }
    char name[32] = "junk";
    char value[256] = "junk";
    solver->inqStringParam(2, name, value);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(value, "");

    // The counts are public members a caller can write; the catalogue bounds the inquiries.
    solver->numIntParams = solver->numRealParams = solver->numStringParams = 1000;
    int intValue = 0;
    solver->inqIntParam(29, name, intValue);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(intValue, 99999999);
    double realValue = 0.0;
    solver->inqRealParam(13, name, realValue);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(realValue, 1.0e35);
    solver->inqStringParam(2, name, value);
    EXPECT_STREQ(name, "");
}

TEST_F(Parameters, IndexInquiriesNeverWriteThroughNull) {
    int intValue = 0;
    solver->inqIntParam(28, nullptr, intValue);
    EXPECT_EQ(intValue, -1);
    double realValue = 0.0;
    solver->inqRealParam(3, nullptr, realValue);
    EXPECT_EQ(realValue, 1.0e-13);
    solver->inqStringParam(1, nullptr, nullptr);
    char name[32];
    solver->inqStringParam(1, name, nullptr);
    EXPECT_STREQ(name, "LOGDIR");
}

TEST_F(Parameters, StringOfMaximumLengthIsKeptWhole) {
    const std::string longest(255, 'd');
    solver->setStringParam("LOGDIR", longest.c_str());
    EXPECT_EQ(solver->inqStringParam("LOGDIR"), longest);
    char name[32];
    char value[256];
    solver->inqStringParam(1, name, value);
    EXPECT_EQ(std::string(value), longest);
}

TEST_F(Parameters, StringTooLongIsRefusedAndTheOldValueKept) {
    solver->setStringParam("LOGDIR", "runs");
    const std::string tooLong(256, 'x');
    solver->setStringParam("LOGDIR", tooLong.c_str());
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "runs");
    solver->setStringParam("LOGDIR", std::string(10000, 'y').c_str());
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "runs");
    solver->setStringParam("LOGDIR", nullptr);
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "runs");
}

TEST_F(Parameters, StringInquiryPointsAtTheSolversOwnBuffer) {
    const char* before = solver->inqStringParam("LOGDIR");
    solver->setStringParam("LOGDIR", "/tmp/run");
    EXPECT_EQ(solver->inqStringParam("LOGDIR"), before);
    EXPECT_STREQ(before, "/tmp/run");
    // Set from its own text: the copy overlaps the value it copies.
    solver->setStringParam("LOGDIR", before + 1);
    EXPECT_STREQ(solver->inqStringParam("LOGDIR"), "tmp/run");
}

TEST_F(Parameters, ValuesAreStoredWithoutRangeChecks) {
    solver->setIntParam("IBARTHREAD", machineThreads() + 60);
    EXPECT_EQ(solver->inqIntParam("IBARTHREAD"), machineThreads() + 60);
    solver->setRealParam("ZTOLZE", -3.0);
    EXPECT_EQ(solver->inqRealParam("ZTOLZE"), -3.0);
}

TEST_F(Parameters, ValuesSurviveSolverOperations) {
    solver->setIntParam("MAXNODE", 7);
    solver->preSolve();
    solver->CleanUp();
    EXPECT_EQ(solver->inqIntParam("MAXNODE"), 7);
}

}  // namespace
