// A reset double and one live problem per test.
#ifndef CORVANE_TESTS_DOUBLE_FIXTURE_HPP
#define CORVANE_TESTS_DOUBLE_FIXTURE_HPP

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/xprs-double/xprs_double.hpp"

class DoubleTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(XPRScreateprob(&prob), 0); }

    void TearDown() override {
        XPRSdestroyprob(prob);
        for (const std::string& file : files_) std::remove(file.c_str());
    }

    // A fresh file name in the temporary folder, removed when the test ends.
    std::string tempFile(const std::string& stem) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto path = std::filesystem::temp_directory_path() /
                          ("xdbl_" + std::string(info->name()) + "_" + stem);
        files_.push_back(path.string());
        std::remove(files_.back().c_str());
        return files_.back();
    }

    static std::string contents(const std::string& file) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A two-row, three-column problem.
    void loadSmallLp() {
        const char rowtype[] = {'L', 'G'};
        const int colstart[] = {0, 1, 2};
        const int collen[] = {1, 1, 1};
        const int rowind[] = {0, 1, 0};
        const double value[] = {1, 2, 3};
        ASSERT_EQ(XPRSloadlp(prob, "small", 3, 2, rowtype, nullptr, nullptr, nullptr, colstart,
                             collen, rowind, value, nullptr, nullptr),
                  0);
    }

    xdbl::ScopedReset reset_;
    XPRSprob prob = nullptr;

  private:
    std::vector<std::string> files_;
};

#endif
