// A solver driven through whole solves against the optimizer test double, with its run files in
// a fresh directory and a small model in vector-backed providers.
#ifndef CORVANE_TESTS_SUPPORT_SOLVE_FIXTURE_H
#define CORVANE_TESTS_SUPPORT_SOLVE_FIXTURE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/host/vrim_host.h"
#include "platform/xprs-double/xprs_double.hpp"
#include "solver/zol_xpress.h"
#include "tests/support/file_text.h"
#include "tests/support/model_providers.h"

namespace corvane::test {

// The thread count the solver caps its thread budget at.
inline int machineThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

struct Outcome {
    int request = -100;
    int done = -100;
    int result = -100;
};

class SolveFixture : public ::testing::Test {
  protected:
    SolveFixture() {
        xdbl_reset();
        static int serial = 0;
        logDir = std::filesystem::temp_directory_path() /
                 ("corvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(logDir);
        solver->setConvergenceSummary(summary);
        solver->setStringParam("LOGDIR", logDir.string().c_str());
        // min x1 + 2 x2  s.t.  e1: x1 + x2 >= 1,  0 <= x1 <= 10,  0 <= x2 <= 20
        vars.upper = {10.0, 20.0};
        eqns.types = {vrim_eqn_word(VRIM_REL_GREATER, 1)};
        derivs.rows = {1, 1};
        derivs.cols = {1, 2};
        derivs.values = {1.0, 1.0};
        obj.indices = {1, 2};
        obj.first = {1.0, 2.0};
        obj.second = {0.0, 0.0};
    }
    ~SolveFixture() override {
        solver.reset();
        rtocvgsum_destroy(summary);
        std::error_code ignored;
        std::filesystem::remove_all(logDir, ignored);
    }

    Outcome iterateOnce() {
        Outcome outcome;
        solver->iterate(&vars, &eqns, &derivs, &obj, &outcome.request, &outcome.done,
                        &outcome.result);
        return outcome;
    }

    // The three calls of one solve; the host's evaluations are constant for a linear model.
    Outcome solve() {
        EXPECT_EQ(iterateOnce().request, 1);
        EXPECT_EQ(iterateOnce().request, 9);
        return iterateOnce();
    }

    std::optional<int> intItem(const char* item) const {
        int value = 0;
        if (!rtocvgsum_get_int_item(summary, item, &value)) return std::nullopt;
        return value;
    }
    std::optional<double> realItem(const char* item) const {
        double value = 0.0;
        if (!rtocvgsum_get_real_item(summary, item, &value)) return std::nullopt;
        return value;
    }
    std::optional<int> status() const { return intItem("STATUS"); }

    // Every item the summary received, in the order set.
    std::vector<std::pair<std::string, double>> summaryHistory() const {
        std::vector<std::pair<std::string, double>> history;
        for (int k = 0; k < rtocvgsum_history_size(summary); ++k) {
            const char* item = nullptr;
            double value = 0.0;
            rtocvgsum_history_entry(summary, k, &item, &value);
            history.emplace_back(item, value);
        }
        return history;
    }
    // The values "STATUS" received, in order.
    std::vector<int> statusHistory() const {
        std::vector<int> statuses;
        for (const auto& [item, value] : summaryHistory())
            if (item == "STATUS") statuses.push_back(static_cast<int>(value));
        return statuses;
    }

    std::filesystem::path file(const std::string& name) const { return logDir / name; }
    std::string log() const { return slurp(file("xpress.log")); }

    std::filesystem::path logDir;
    rt_cvgsum_t* summary = rtocvgsum_create();
    std::unique_ptr<ZOLXpress> solver = std::make_unique<ZOLXpress>();
    VectorVars vars{{0.0, 0.0}};
    VectorEqns eqns{{-1.0}};
    VectorDerivs derivs;
    VectorObj obj;
};

}  // namespace corvane::test

#endif
