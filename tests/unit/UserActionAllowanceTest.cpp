#include "classlib/UserActionAllowance.h"

#include <gtest/gtest.h>

namespace {

using cl::UserActionAllowance;
using Answer = UserActionAllowance::Answer;
using std::chrono::milliseconds;

const UserActionAllowance::Clock::time_point kClick { std::chrono::hours(1) };

// A click lets the page ask for one thing within five seconds; after that the
// request is refused as one with no click before it, and a new click starts a
// new five seconds.
TEST(UserActionAllowanceTest, AClickLetsThePageAskOnlyWithinFiveSecondsOfIt)
{
    UserActionAllowance allowance;
    allowance.userActed(kClick);
    EXPECT_TRUE(allowance.takeQuietly(kClick + milliseconds(4999)));

    for (auto late : { milliseconds(5000), milliseconds(8000) }) {
        allowance.userActed(kClick);
        EXPECT_FALSE(allowance.takeQuietly(kClick + late)) << late.count();
    }

    // A late new window is the first refusal of its burst, reported once.
    allowance.userActed(kClick);
    EXPECT_EQ(allowance.take(kClick + milliseconds(5000)), Answer::RefusedFirstOfBurst);
    EXPECT_EQ(allowance.take(kClick + milliseconds(5001)), Answer::Refused);
    allowance.userActed(kClick + milliseconds(6000));
    EXPECT_EQ(allowance.take(kClick + milliseconds(10999)), Answer::Granted);
}

} // namespace
