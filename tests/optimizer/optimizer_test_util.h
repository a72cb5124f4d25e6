// Shared fixtures for the optimizer library's tests: a started library, a fresh problem, and a
// compact way to describe small problems row by row.
#ifndef CORVANE_TESTS_OPTIMIZER_TEST_UTIL_H
#define CORVANE_TESTS_OPTIMIZER_TEST_UTIL_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "optimizer/xprs.h"

namespace xprstest {

struct Lp {
    std::vector<char> rowtype;
    std::vector<double> rhs, range, obj, lb, ub;
    std::vector<std::vector<double>> rows;  // dense coefficients, one vector per row

    std::vector<int> start, index;
    std::vector<double> value;
    void pack() {
        start.assign(1, 0);
        index.clear();
        value.clear();
        for (size_t c = 0; c < obj.size(); ++c) {
            for (size_t r = 0; r < rows.size(); ++r) {
                if (rows[r][c] == 0.0) continue;
                index.push_back(static_cast<int>(r));
                value.push_back(rows[r][c]);
            }
            start.push_back(static_cast<int>(index.size()));
        }
        if (range.empty()) range.assign(rowtype.size(), 0.0);
    }
    int ncols() const { return static_cast<int>(obj.size()); }
    int nrows() const { return static_cast<int>(rowtype.size()); }
};

class OptimizerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(0, XPRSinit(nullptr));
        ASSERT_EQ(0, XPRScreateprob(&prob));
    }
    void TearDown() override {
        if (prob) {
            EXPECT_EQ(0, XPRSdestroyprob(prob));
        }
        EXPECT_EQ(0, XPRSfree());
    }
    int load(Lp& lp) {
        lp.pack();
        return XPRSloadlp(prob, "test", lp.ncols(), lp.nrows(), lp.rowtype.data(), lp.rhs.data(),
                          lp.range.data(), lp.obj.data(), lp.start.data(), nullptr, lp.index.data(),
                          lp.value.data(), lp.lb.data(), lp.ub.data());
    }
    int intAttrib(int id) {
        int v = -12345;
        EXPECT_EQ(0, XPRSgetintattrib(prob, id, &v));
        return v;
    }
    double dblAttrib(int id) {
        double v = -12345;
        EXPECT_EQ(0, XPRSgetdblattrib(prob, id, &v));
        return v;
    }
    std::string lastError() {
        char text[512] = "";
        EXPECT_EQ(0, XPRSgetlasterror(prob, text));
        return text;
    }

    XPRSprob prob = nullptr;
};

}  // namespace xprstest

#endif
