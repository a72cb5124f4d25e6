// Client callbacks: registration, the null-client switch, interrupts and forwarded messages, as
// the optimizer drives them during a solve.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "solver/client_callbacks.h"
#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::machineThreads;
using corvane::test::SolveFixture;

struct Client : IZOL_XpressControlCallBack {
    void* deletingDestructor(unsigned int flags) override {
        return corvane::destroyObject(this, flags);
    }
    int asked = 0;
    int stopAt = 0;  // 0: never stop
    bool onIteration() override { return ++asked != stopAt; }
};

struct Listener : IZOL_XpressControlMsgCallBack {
    void* deletingDestructor(unsigned int flags) override {
        return corvane::destroyObject(this, flags);
    }
    struct Message {
        std::string text;
        int length;
        int type;
        bool parallelMip;
    };
    std::vector<Message> received;
    void onMessage(const char* text, int length, int type, bool parallelMip) override {
        received.push_back({text, length, type, parallelMip});
    }
};

class Callbacks : public SolveFixture {
  protected:
    Callbacks() {
        ZOLXpressUnRegisterNullClientCallBack();
        ZOLXpressRegisterClientCallBack(&client);
        ZOLXpressRegisterClientMsgCallBack(&listener);
        xdbl_set_int_attrib(XPRS_LPSTATUS, XPRS_LP_OPTIMAL);
    }
    // The module keeps the last registration: leave objects that outlive every test.
    ~Callbacks() override {
        static Client passive;
        static Listener deaf;
        ZOLXpressRegisterClientCallBack(&passive);
        ZOLXpressRegisterClientMsgCallBack(&deaf);
        ZOLXpressUnRegisterNullClientCallBack();
    }

    std::vector<int> lplogResults() {
        std::vector<int> results(static_cast<size_t>(xdbl_lplog_results(nullptr, 0)));
        xdbl_lplog_results(results.data(), static_cast<int>(results.size()));
        return results;
    }

    Client client;
    Listener listener;
};

TEST_F(Callbacks, NullRegistrationIsRefusedAndTheEarlierOneStays) {
    EXPECT_FALSE(ZOLXpressRegisterClientCallBack(nullptr));
    EXPECT_FALSE(ZOLXpressRegisterClientMsgCallBack(nullptr));
    xdbl_fire_lplog("XPRSminim", 0, 3);
    xdbl_fire_message("XPRSminim", 0, "hello", 1);
    solve();
    EXPECT_EQ(client.asked, 3);
    EXPECT_EQ(listener.received.size(), 1u);
}

TEST_F(Callbacks, RegisteringAgainReplaces) {
    Client second;
    Listener other;
    EXPECT_TRUE(ZOLXpressRegisterClientCallBack(&second));
    EXPECT_TRUE(ZOLXpressRegisterClientMsgCallBack(&other));
    xdbl_fire_lplog("XPRSminim", 0, 2);
    xdbl_fire_message("XPRSminim", 0, "hello", 1);
    solve();
    EXPECT_EQ(client.asked, 0);
    EXPECT_EQ(second.asked, 2);
    EXPECT_TRUE(listener.received.empty());
    EXPECT_EQ(other.received.size(), 1u);
}

TEST_F(Callbacks, CallbacksAreRegisteredOnEachNewProblemInOrder) {
    solve();
    const std::vector<std::string> names = xdbl::callNames();
    const auto position = [&](const char* name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(position("XPRScreateprob"), position("XPRSsetcblplog"));
    EXPECT_LT(position("XPRSsetcblplog"), position("XPRSaddcbmessage"));
    const auto messageOutput = xdbl::lastControlSet(XPRS_CONTROL_8137);
    ASSERT_TRUE(messageOutput.has_value());
    EXPECT_EQ(*messageOutput, 1.0);
    const xdbl::Call added = xdbl::nth("XPRSaddcbmessage", 1);
    EXPECT_EQ(added.ints.at(0), 0);            // priority
    EXPECT_EQ(added.pointers.at(2), nullptr);  // no user data
    EXPECT_EQ(xdbl::nth("XPRSsetcblplog", 1).pointers.at(2), nullptr);
}

TEST_F(Callbacks, StoppingAtTheFirstLogPointInterruptsTheSolve) {
    client.stopAt = 1;
    xdbl_fire_lplog("XPRSminim", 0, 5);
    vars.values = {11.1, 40.0};  // scale 10, and 11.1 / 10 * 10 is 11.099999999999998
    vars.reducedCosts = {5.0, 6.0};
    eqns.duals = {7.0};
    testing::internal::CaptureStdout();
    const auto outcome = solve();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " *** User interrupted the XPRESS solver\n");
    EXPECT_EQ(lplogResults(), std::vector<int>{-1});
    EXPECT_EQ(status(), 8);
    EXPECT_EQ(outcome.request, 7);
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.result, -100);  // left as the host passed it in
    EXPECT_EQ(solver->iteratePhase, 1);
    EXPECT_EQ(xdbl_call_count("XPRSgetlpsol"), 0);
    EXPECT_EQ(vars.values, (std::vector<double>{11.1, 40.0}));  // the start values, exactly
    EXPECT_EQ(vars.reducedCosts, (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(eqns.duals, (std::vector<double>{0.0}));
    EXPECT_EQ(solver->firstStartPoint, nullptr);
    EXPECT_EQ(xdbl_problems_alive(), 0);
}

// The MIP's fixed re-solve runs while the solution is retrieved, after the search: a stop there
// ends the solve as interrupted, never as the search's success.
TEST_F(Callbacks, StoppingInTheFixedReSolveInterruptsTheMipSolve) {
    vars.types[0] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    xdbl_set_int_attrib(XPRS_MIPSTATUS, XPRS_MIP_OPTIMAL);
    client.stopAt = 1;
    xdbl_fire_lplog("XPRSminim", 1, 1);
    vars.values = {3.0, 40.0};
    testing::internal::CaptureStdout();
    const auto outcome = solve();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " *** User interrupted the XPRESS solver\n");
    EXPECT_EQ(xdbl::nth("XPRSminim", 1).strings.at(0), "l");  // the re-solve was the one stopped
    EXPECT_EQ(statusHistory().back(), 8);
    EXPECT_EQ(outcome.result, -100);
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(outcome.request, 7);
    EXPECT_EQ(log().find("Successful"), std::string::npos) << log();
    EXPECT_EQ(vars.values, (std::vector<double>{3.0, 40.0}));
    EXPECT_EQ(eqns.duals, (std::vector<double>{0.0}));
    EXPECT_EQ(xdbl_problems_alive(), 0);
}

TEST_F(Callbacks, InterruptWithoutASummaryRecordSetsNoItem) {
    solver = std::make_unique<ZOLXpress>();
    solver->setStringParam("LOGDIR", logDir.string().c_str());
    const int before = rtocvgsum_items_without_record();
    client.stopAt = 1;
    xdbl_fire_lplog("XPRSminim", 0, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(solve().done, 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(lplogResults(), std::vector<int>{-1});
    EXPECT_EQ(rtocvgsum_items_without_record(), before);
}

TEST_F(Callbacks, NextSolveAfterAnInterruptRunsNormally) {
    client.stopAt = 1;
    xdbl_fire_lplog("XPRSminim", 1, 1);
    testing::internal::CaptureStdout();
    solve();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(status(), 8);
    const auto outcome = solve();
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(status(), 1);
    EXPECT_FALSE(solver->interruptRequested);
}

TEST_F(Callbacks, NullClientSwitchSilencesBothAndBringsThemBack) {
    client.stopAt = 1;
    ZOLXpressRegisterNullClientCallBack();
    xdbl_fire_lplog("XPRSminim", 0, 3);
    xdbl_fire_message("XPRSminim", 0, "quiet", 1);
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(client.asked, 0);
    EXPECT_TRUE(listener.received.empty());
    EXPECT_EQ(lplogResults(), (std::vector<int>{0, 0, 0}));

    ZOLXpressUnRegisterNullClientCallBack();
    client.stopAt = 0;
    EXPECT_EQ(solve().result, 0);
    EXPECT_EQ(client.asked, 3);
    EXPECT_EQ(listener.received.size(), 1u);
}

TEST_F(Callbacks, MessagesArriveAsTheOptimizerSentThemWithTheParallelFlag) {
    // An integer solve with parallel MIP on several threads sets the flag ...
    vars.types[0] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    solver->setIntParam("IBARTHREAD", 2);
    solver->setIntParam("PARALLELMIP", 1);
    xdbl_fire_message("XPRSmipoptimize", 0, "searching", 3);
    solve();
    const bool expected = machineThreads() > 1;
    ASSERT_EQ(listener.received.size(), 2u);
    EXPECT_EQ(listener.received[0].text, "searching");
    EXPECT_EQ(listener.received[0].length, 9);
    EXPECT_EQ(listener.received[0].type, 3);
    EXPECT_EQ(listener.received[0].parallelMip, expected);

    // ... and a continuous solve afterwards keeps it.
    vars.types[0] = 0;
    xdbl_fire_message("XPRSminim", 0, "simplex", 1);
    solve();
    ASSERT_EQ(listener.received.size(), 3u);
    EXPECT_EQ(listener.received[2].parallelMip, expected);

    // A single-threaded search clears it.
    vars.types[0] = vrim_var_word(VRIM_VAR_INTEGER, 0);
    solver->setIntParam("PARALLELMIP", 0);
    solve();
    EXPECT_FALSE(listener.received.back().parallelMip);
}

// Deleting a client's object through an interface would run the wrong destructor and free with
// the wrong size: only the client's own classes can be destroyed.
TEST(ClientInterfaces, OnlyTheClientsOwnClassesCanBeDestroyed) {
    EXPECT_FALSE(std::is_destructible<IZOL_XpressControlCallBack>::value);
    EXPECT_FALSE(std::is_destructible<IZOL_XpressControlMsgCallBack>::value);
    EXPECT_TRUE(std::is_destructible<Client>::value);
    EXPECT_TRUE(std::is_destructible<Listener>::value);
}

TEST_F(Callbacks, ClientInterfacesCopyAndAssign) {
    Client original;
    original.stopAt = 4;
    Client copy(original);
    EXPECT_EQ(copy.stopAt, 4);
    IZOL_XpressControlCallBack& base = copy;
    const IZOL_XpressControlCallBack& same = (base = original);
    EXPECT_EQ(&same, &base);
}

}  // namespace
