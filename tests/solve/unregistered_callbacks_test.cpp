// The optimizer callbacks before a client has registered: a registration cannot be withdrawn, so
// these run in a program of their own, in this order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "solver/client_callbacks.h"
#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::SolveFixture;

class Unregistered : public SolveFixture {
  protected:
    Unregistered() { xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL); }

    static std::vector<int> lplogResults() {
        std::vector<int> results(static_cast<size_t>(xdbl_lplog_results(nullptr, 0)));
        xdbl_lplog_results(results.data(), static_cast<int>(results.size()));
        return results;
    }
};

TEST_F(Unregistered, WithoutAClientTheOptimizerRunsToItsEnd) {
    xdbl_fire_lplog("XPRSminim", 0, 4);
    xdbl_fire_message("XPRSminim", 0, "dropped", 1);
    const auto outcome = solve();
    EXPECT_EQ(lplogResults(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(status(), 1);
    EXPECT_FALSE(solver->interruptRequested);
}

struct Listener : IZOL_XpressControlMsgCallBack {
    std::vector<std::string> received;
    void onMessage(const char* text, int, int, bool) override { received.emplace_back(text); }
};

TEST_F(Unregistered, MessageClientAloneReceivesMessagesAndNeverStops) {
    static Listener listener;  // stays registered for the rest of the program
    ASSERT_TRUE(ZOLXpressRegisterClientMsgCallBack(&listener));
    xdbl_fire_lplog("XPRSminim", 0, 3);
    xdbl_fire_message("XPRSminim", 0, "heard", 1);
    const auto outcome = solve();
    EXPECT_EQ(listener.received, std::vector<std::string>{"heard"});
    EXPECT_EQ(lplogResults(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(status(), 1);
}

}  // namespace
