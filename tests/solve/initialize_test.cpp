// Starting the optimizer library, with the test double standing in for it.
#include <gtest/gtest.h>

#include "tests/support/solve_fixture.h"

namespace {

using corvane::test::SolveFixture;

using Initialize = SolveFixture;

TEST_F(Initialize, EndsEarlierUseThenStartsWithTheDefaultLocation) {
    EXPECT_EQ(solver->InitializeXpress(), 0);
    EXPECT_EQ(xdbl::callNames(), (std::vector<std::string>{"XPRSfree", "XPRSinit"}));
    EXPECT_FALSE(xdbl::nth("XPRSinit", 1).strings.at(0).has_value());
    EXPECT_EQ(xdbl_init_count(), 1);
    EXPECT_FALSE(status().has_value());
    EXPECT_EQ(solver->InitializeXpress(), 0);
    EXPECT_EQ(xdbl_init_count(), 1);
}

TEST_F(Initialize, RefusedStartGivesMinusThreeAndStatusEight) {
    xdbl_set_return("XPRSinit", 279);
    EXPECT_EQ(solver->InitializeXpress(), -3);
    EXPECT_EQ(status(), 8);
    EXPECT_EQ(solver->problemHandle, nullptr);

    ZOLXpress withoutSummary;
    const int before = rtocvgsum_items_without_record();
    EXPECT_EQ(withoutSummary.InitializeXpress(), -3);
    EXPECT_EQ(rtocvgsum_items_without_record(), before);
}

}  // namespace
