#include "app/DateCommitRule.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(DateCommitRuleTest, PicksCommitKeyboardChangesWaitForEnter) {
    DateCommitRule rule;
    EXPECT_TRUE(rule.CommitsOnEnter()) << "the date shown at start was never committed";
    EXPECT_FALSE(rule.CommitsOnChange(TChangeOrigin::Program));
    EXPECT_TRUE(rule.CommitsOnChange(TChangeOrigin::Pick));
    rule.Committed(true);
    EXPECT_FALSE(rule.CommitsOnEnter());
    EXPECT_FALSE(rule.CommitsOnChange(TChangeOrigin::Program));
    EXPECT_FALSE(rule.CommitsOnEnter()) << "a format change is no new date";

    for (TChangeOrigin origin : {TChangeOrigin::Typing, TChangeOrigin::Revert, TChangeOrigin::Step,
                                 TChangeOrigin::Today}) {
        EXPECT_FALSE(rule.CommitsOnChange(origin));
        EXPECT_TRUE(rule.CommitsOnEnter());
        rule.Committed(false);
        EXPECT_TRUE(rule.CommitsOnEnter()) << "a failed commit may be confirmed again";
        rule.Committed(true);
        EXPECT_FALSE(rule.CommitsOnEnter());
    }
}

} // namespace
} // namespace pexor
