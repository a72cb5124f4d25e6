#include <chrono>
#include <thread>

#include "double_fixture.hpp"

namespace {

using RecordingTest = DoubleTest;
using Ints = std::vector<int>;
using Doubles = std::vector<double>;

struct Seen {
    int status = 0;
    int outerResult = 0;
};

int XPRS_CC lookAround(XPRSprob prob, void* data) {
    auto* seen = static_cast<Seen*>(data);
    XPRSgetintattrib(prob, XPRS_LPSTATUS, &seen->status);
    seen->outerResult = xdbl_call_result(xdbl_call_index("XPRSminim", 1));
    return 0;
}

TEST_F(RecordingTest, LoadGlobalRecordsEveryArrayWithItsPromisedLength) {
    const char rowtype[] = {'E', 'L'};
    const double rhs[] = {1, 2};
    const double obj[] = {1, 0, -1};
    const int colstart[] = {0, 2, 2};
    const int collen[] = {2, -4, 1};  // negative lengths count as empty
    const int rowind[] = {0, 1, 1};
    const double value[] = {1.5, 2.5, 3.5};
    const char enttype[] = {'I', 'S'};
    const int entcol[] = {0, 2};
    const double limit[] = {0, 10};
    const char settype[] = {'1'};
    const int setstart[] = {0, 2};
    const int setcol[] = {1, 2};
    const double setref[] = {1, 2};
    ASSERT_EQ(XPRSloadglobal(prob, "g", 3, 2, rowtype, rhs, nullptr, obj, colstart, collen, rowind,
                             value, nullptr, nullptr, 2, 1, enttype, entcol, limit, settype,
                             setstart, setcol, setref),
              0);

    const xdbl::Call c = xdbl::nth("XPRSloadglobal", 1);
    EXPECT_EQ(c.pointers, std::vector<const void*>{prob});
    EXPECT_EQ(c.strings[0], "g");
    EXPECT_EQ(c.ints, (Ints{3, 2, 2, 1}));
    ASSERT_EQ(c.intArrays.size(), 6u);
    EXPECT_EQ(c.intArrays[0], (Ints{0, 2, 2}));  // colstart: ncols entries when collen is given
    EXPECT_EQ(c.intArrays[1], (Ints{2, -4, 1}));
    EXPECT_EQ(c.intArrays[2], (Ints{0, 1, 1}));
    EXPECT_EQ(c.intArrays[3], (Ints{0, 2}));
    EXPECT_EQ(c.intArrays[4], (Ints{0, 2}));
    EXPECT_EQ(c.intArrays[5], (Ints{1, 2}));
    ASSERT_EQ(c.doubleArrays.size(), 8u);
    EXPECT_EQ(c.doubleArrays[0], (Doubles{1, 2}));
    EXPECT_EQ(c.doubleArrays[1], std::nullopt);  // range
    EXPECT_EQ(c.doubleArrays[3], (Doubles{1.5, 2.5, 3.5}));
    EXPECT_EQ(c.doubleArrays[4], std::nullopt);  // lb
    EXPECT_EQ(c.doubleArrays[6], (Doubles{0, 10}));
    EXPECT_EQ(c.doubleArrays[7], (Doubles{1, 2}));
    EXPECT_EQ(c.charArrays, (std::vector<std::optional<std::string>>{"EL", "IS", "1"}));

    const int* data = nullptr;
    EXPECT_EQ(xdbl_arg_int_array(c.index, 99, &data), -1);
    EXPECT_EQ(data, nullptr);
}

TEST_F(RecordingTest, LoadGlobalWithoutSetsReadsNoSetArray) {
    // ASan flags any read through these: they point one past the end of an empty array.
    const int noInts[1] = {0};
    const double noDoubles[1] = {0};
    ASSERT_EQ(XPRSloadglobal(prob, "", 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, 0, 0, "", noInts + 1,
                             noDoubles + 1, "", noInts + 1, noInts + 1, noDoubles + 1),
              0);
    const xdbl::Call c = xdbl::nth("XPRSloadglobal", 1);
    EXPECT_EQ(c.intArrays[4], Ints{});  // setstart
    EXPECT_EQ(c.intArrays[5], Ints{});  // setcol
}

TEST_F(RecordingTest, LoadWithoutCollenTakesLengthFromTheLastColumnStart) {
    const int colstart[] = {0, 1, 3};
    const int rowind[] = {0, 0, 1};
    ASSERT_EQ(XPRSloadlp(prob, nullptr, 2, 2, "LL", nullptr, nullptr, nullptr, colstart, nullptr,
                         rowind, nullptr, nullptr, nullptr),
              0);
    const xdbl::Call c = xdbl::nth("XPRSloadlp", 1);
    EXPECT_EQ(c.strings[0], std::nullopt);
    EXPECT_EQ(c.intArrays[0], (Ints{0, 1, 3}));
    EXPECT_EQ(c.intArrays[1], std::nullopt);
    EXPECT_EQ(c.intArrays[2], (Ints{0, 0, 1}));

    EXPECT_EQ(XPRSloadlp(prob, "", -1, 2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr),
              XDBL_ERR_ARGUMENT);
}

TEST_F(RecordingTest, AddNamesKeepsTheBlockAndChecksTheRange) {
    loadSmallLp();
    const char names[] = "x\0\0long_name\0ignored";
    ASSERT_EQ(XPRSaddnames(prob, XPRS_NAMES_COLUMNS, names, 0, 2), 0);
    const xdbl::Call c = xdbl::nth("XPRSaddnames", 1);
    EXPECT_EQ(c.ints, (Ints{XPRS_NAMES_COLUMNS, 0, 2}));
    EXPECT_EQ(xdbl::names(*c.charArrays[0]), (std::vector<std::string>{"x", "", "long_name"}));
    EXPECT_EQ(c.charArrays[0]->size(), 13u);

    EXPECT_EQ(XPRSaddnames(prob, XPRS_NAMES_ROWS, names, 1, 2), XDBL_ERR_ARGUMENT);
    EXPECT_EQ(XPRSaddnames(prob, 7, names, 0, 0), XDBL_ERR_ARGUMENT);
}

TEST_F(RecordingTest, AddMipSolRecordsValuesAndOptionalColumns) {
    const double values[] = {1, 0};
    ASSERT_EQ(XPRSaddmipsol(prob, 2, values, nullptr, "start"), 0);
    const xdbl::Call c = xdbl::nth("XPRSaddmipsol", 1);
    EXPECT_EQ(c.doubleArrays[0], (Doubles{1, 0}));
    EXPECT_EQ(c.intArrays[0], std::nullopt);
    EXPECT_EQ(c.strings[0], "start");
    EXPECT_EQ(XPRSaddmipsol(prob, 2, nullptr, nullptr, nullptr), XDBL_ERR_ARGUMENT);
}

TEST_F(RecordingTest, CallsMadeFromACallbackAreRecordedAfterTheCallThatFiredThem) {
    Seen seen;
    XPRSsetcblplog(prob, lookAround, &seen);
    xdbl_on_call_set_int_attrib("XPRSminim", 1, XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    xdbl_fire_lplog("XPRSminim", 1, 1);
    ASSERT_EQ(XPRSminim(prob, "d"), 0);

    EXPECT_EQ(seen.status, XPRS_LP_OPTIMAL);
    EXPECT_EQ(seen.outerResult, XDBL_NO_RESULT);
    EXPECT_EQ(xdbl::callNames(), (std::vector<std::string>{"XPRScreateprob", "XPRSsetcblplog",
                                                           "XPRSminim", "XPRSgetintattrib"}));
    EXPECT_EQ(xdbl::nth("XPRSminim", 1).result, 0);
}

int XPRS_CC pause(XPRSprob, void*) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    return 0;
}

// A benchmark subtracts these durations from the caller's time: a call's callbacks are its own.
TEST_F(RecordingTest, CallDurationsIncludeTheCallbacksTheCallFired) {
    XPRSsetcblplog(prob, pause, nullptr);
    xdbl_fire_lplog("XPRSminim", 1, 1);
    ASSERT_EQ(XPRSminim(prob, ""), 0);
    ASSERT_EQ(XPRSmaxim(prob, ""), 0);

    const double fired = xdbl_call_seconds(xdbl_call_index("XPRSminim", 1));
    const double plain = xdbl_call_seconds(xdbl_call_index("XPRSmaxim", 1));
    EXPECT_GE(fired, 0.03);
    EXPECT_GE(plain, 0.0);
    EXPECT_LT(plain, 0.03);
    EXPECT_EQ(xdbl_call_seconds(1000), -1.0);
}

TEST_F(RecordingTest, NthOfAMissingCallThrows) {
    EXPECT_THROW(xdbl::nth("XPRSmaxim", 1), std::out_of_range);
    EXPECT_THROW(xdbl::call(1000), std::out_of_range);
    EXPECT_EQ(xdbl_call_index(nullptr, 1), 0);
    EXPECT_EQ(xdbl_call_name(1), nullptr);
}

TEST_F(RecordingTest, ConcurrentCallsAreAllRecorded) {
    constexpr int kPerThread = 500;
    auto work = [this] {
        for (int i = 0; i < kPerThread; ++i) XPRSsetintcontrol(prob, XPRS_THREADS, i);
    };
    std::thread first(work), second(work);
    first.join();
    second.join();
    EXPECT_EQ(xdbl::count("XPRSsetintcontrol"), 2 * kPerThread);
    EXPECT_EQ(xdbl_call_index("XPRSsetintcontrol", 2 * kPerThread), 2 * kPerThread);
}

}  // namespace
