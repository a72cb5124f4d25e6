// Numbers and limits shared by the model readers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/host/model/line_source.h"
#include "platform/host/model/model_values.h"
#include "platform/host/model/name_index.h"

namespace corvane::host {
namespace {

TEST(ModelValues, NumbersInEveryWrittenForm) {
    double value = 0;
    for (const auto& [text, expected] : {std::pair{"1", 1.0},
                                         {"-2.5", -2.5},
                                         {"+3", 3.0},
                                         {".5", 0.5},
                                         {"1e3", 1000.0},
                                         {"1.E-2", 0.01},
                                         {"-0", -0.0},
                                         {"1e400", kInfinity},
                                         {"-1e400", -kInfinity},
                                         {"1e-400", 0.0},
                                         {"inf", kInfinity},
                                         {"-Infinity", -kInfinity},
                                         {"+INF", kInfinity}}) {
        EXPECT_TRUE(parseNumber(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"", "+", "-", "nan", "NaN", "-nan", "1x", "x1", "1e", "++1", "+-1",
                             "0x10", "1 ", " 1", "1,5", "infinite"})
        EXPECT_FALSE(parseNumber(text, value)) << text;
    EXPECT_EQ(notANumberMessage("1x"), "\"1x\" is not a number");
}

// Plain decimals take a shorter way than the other forms: both must give the double nearest the
// text, bit for bit, from one digit to more than fit a double exactly.
TEST(ModelValues, PlainDecimalsReadToTheNearestDouble) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int whole = 1 + random() % 10, decimals = random() % 12;
        for (int d = 0; d < whole; ++d) text += static_cast<char>('0' + random() % 10);
        if (decimals > 0) text += '.';
        for (int d = 0; d < decimals; ++d) text += static_cast<char>('0' + random() % 10);
        double value = 0.0;
        ASSERT_TRUE(parseNumber(text, value)) << text;
        EXPECT_EQ(value, std::strtod(text.c_str(), nullptr)) << text;
        EXPECT_EQ(std::signbit(value), text[0] == '-') << text;
    }
    double value = 0.0;
    EXPECT_TRUE(parseNumber("-7.", value));
    EXPECT_EQ(value, -7.0);
    for (const char* text : {"-.", ".", "1..2", "1.2.3", "--1", "1-", "12a", "1.5x", "-1.5."})
        EXPECT_FALSE(parseNumber(text, value)) << text;
}

TEST(ModelValues, NamesUpToTheLimit) {
    EXPECT_EQ(checkNameLength(std::string(kMaxNameLength, 'n')), "");
    EXPECT_EQ(checkNameLength(std::string(200, 'a') + std::string(56, 'b')),
              "the name \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...\" has 256 characters, more "
              "than 255");
}

TEST(ModelValues, CoefficientsBelowTheSolversInfinity) {
    EXPECT_EQ(checkCoefficient("r", "x", 9.99e19), "");
    EXPECT_EQ(checkCoefficient("r", "x", -1e20),
              "the coefficient -1e+20 of column x in row r is 1e20 or more in magnitude, which "
              "the solver takes as infinite");
    EXPECT_NE(checkCoefficient("r", "x", kInfinity), "");
}

TEST(ModelValues, RowLimits) {
    EXPECT_EQ(checkRowLimits("r", -kInfinity, 5), "");
    EXPECT_EQ(checkRowLimits("r", -1e19, 1e19), "");
    EXPECT_EQ(checkRowLimits("r", -kInfinity, kInfinity), "");
    const std::string infeasible =
        "row r has an infinite right-hand side in its binding direction: no point satisfies it";
    EXPECT_EQ(checkRowLimits("r", kInfinity, kInfinity), infeasible);    // G or E at +inf
    EXPECT_EQ(checkRowLimits("r", -kInfinity, -kInfinity), infeasible);  // L or E at -inf
    EXPECT_EQ(checkRowLimits("r", 2e20, 2e20),
              "row r has the right-hand side 2e+20, 1e20 or more in magnitude, which the solver "
              "takes as infinite (write 1e30 or more for no limit)");
    EXPECT_NE(checkRowLimits("r", -kInfinity, -1e20), "");
    EXPECT_EQ(checkRowLimits("r", 3, 2), "row r has its lower limit 3 above its upper limit 2");
}

TEST(ModelValues, ColumnBounds) {
    double lower = -5e20, upper = 1e25;
    EXPECT_EQ(checkColumnBounds("x", lower, upper), "");
    EXPECT_EQ(lower, -kInfinity);
    EXPECT_EQ(upper, kInfinity);
    lower = 1e20;
    upper = kInfinity;
    EXPECT_EQ(checkColumnBounds("x", lower, upper),
              "column x has the lower bound 1e+20, 1e20 or more in magnitude, which the solver "
              "takes as infinite (write 1e30 or more for no bound)");
    lower = -kInfinity;
    upper = -kInfinity;
    EXPECT_EQ(checkColumnBounds("x", lower, upper),
              "column x has an infinite bound in its binding direction: no value satisfies it");
    EXPECT_EQ(fileLimit(1e30), kInfinity);
    EXPECT_EQ(fileLimit(-1e30), -kInfinity);
    EXPECT_EQ(fileLimit(9.9e29), 9.9e29);
}

}  // namespace
}  // namespace corvane::host

namespace corvane::host {
namespace {

TEST(NameIndex, FindsEveryNameOnceAcrossGrowth) {
    NameTable names;
    NameIndex index(names);
    // Short names held in the slots, long ones compared in the table, names that differ only in
    // length or in a trailing byte, and the empty name.
    std::vector<std::string> all = {"",
                                    "a",
                                    "ab",
                                    "abcdefgh",
                                    "abcdefghi",
                                    "abcdefgh1",
                                    std::string(255, 'x'),
                                    std::string(254, 'x')};
    for (int i = 0; i < 5000; ++i) all.push_back("R" + std::to_string(i));
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(index.find(all[i]), -1) << all[i];
        names.add(all[i]);
        EXPECT_TRUE(index.insert(static_cast<int>(i))) << all[i];
    }
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(index.find(all[i]), static_cast<int>(i));
    EXPECT_EQ(index.find("abcdefg"), -1);
    EXPECT_EQ(index.find("R5000"), -1);
    names.add("R17");
    EXPECT_FALSE(index.insert(static_cast<int>(all.size())));
    EXPECT_EQ(index.find("R17"), 17 + 8);
}

}  // namespace
}  // namespace corvane::host
