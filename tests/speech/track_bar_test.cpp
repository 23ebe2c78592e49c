#include "shell/errors.h"
#include "speech/track_bar.h"
#include "testsupport/test_environment.h"

#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {
// A track bar whose change handler records the position it saw.
struct RecordingBar {
    RecordingBar()
    {
        bar.onChange = [this] { seen.push_back(bar.Position()); };
    }
    TTrackBar bar;
    std::vector<int> seen;
};

struct Range {
    int min, max, position;
};

struct RangeCase {
    const char* name;
    Range start;
    // Applied in this order, as the voice selection does: maximum, minimum, position.
    int newMax, newMin, newPosition;
    Range expected;
    std::vector<int> changes; // positions the change handler saw, in order
};

class TrackBarRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(TrackBarRange, FollowsTheRangeRules)
{
    const RangeCase& c = GetParam();
    RecordingBar r;
    // Reach the starting state the way the program does.
    r.bar.SetMax(c.start.max);
    r.bar.SetMin(c.start.min);
    r.bar.SetPosition(c.start.position);
    r.seen.clear();

    r.bar.SetMax(c.newMax);
    r.bar.SetMin(c.newMin);
    r.bar.SetPosition(c.newPosition);

    EXPECT_EQ(r.bar.minimum(), c.expected.min);
    EXPECT_EQ(r.bar.maximum(), c.expected.max);
    EXPECT_EQ(r.bar.Position(), c.expected.position);
    EXPECT_EQ(r.seen, c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackBarRange,
    ::testing::Values(
        RangeCase{"RangeAboveTheOldOneClampsThePositionOnce", {0, 10, 0}, 350, 50, 150, {50, 350, 150}, {50, 150}},
        RangeCase{"SamePositionRunsNothing", {0, 10, 4}, 10, 0, 4, {0, 10, 4}, {}},
        RangeCase{"MaximumBelowTheMinimumIsIgnored", {50, 350, 150}, 40, 0, 20, {0, 350, 20}, {20}},
        RangeCase{"MinimumAboveTheMaximumIsIgnored", {0, 10, 5}, 10, 11, 5, {0, 10, 5}, {}},
        RangeCase{"ShrinkingMaximumClampsThePosition", {0, 255, 255}, 200, 0, 255, {0, 200, 200}, {200}},
        RangeCase{"PositionBelowTheMinimumEndsAtTheMinimum", {60, 200, 100}, 200, 60, 0, {60, 200, 60}, {60}},
        RangeCase{"PositionAboveTheMaximumEndsAtTheMaximum", {0, 255, 10}, 255, 0, 999, {0, 255, 255}, {255}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrackBar, StartsAtZeroToTenWithPageStepTwo)
{
    TTrackBar bar;
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 10);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.pageStep(), 2);
    EXPECT_EQ(bar.singleStep(), 1);
    EXPECT_EQ(bar.orientation(), Qt::Horizontal);
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    int expected; // from position 5 in 0..10
};

class TrackBarKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TrackBarKeys, MoveAsOnADesktopTrackBar)
{
    RecordingBar r;
    r.bar.SetPosition(5);
    r.seen.clear();
    QTest::keyClick(&r.bar, GetParam().key);
    EXPECT_EQ(r.bar.Position(), GetParam().expected);
    EXPECT_EQ(r.seen, std::vector<int>{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(Keys, TrackBarKeys,
                         ::testing::Values(KeyCase{"UpLowers", Qt::Key_Up, 4},
                                           KeyCase{"DownRaises", Qt::Key_Down, 6},
                                           KeyCase{"LeftLowers", Qt::Key_Left, 4},
                                           KeyCase{"RightRaises", Qt::Key_Right, 6},
                                           KeyCase{"PageUpLowersByTwo", Qt::Key_PageUp, 3},
                                           KeyCase{"PageDownRaisesByTwo", Qt::Key_PageDown, 7},
                                           KeyCase{"HomeGoesToTheMinimum", Qt::Key_Home, 0},
                                           KeyCase{"EndGoesToTheMaximum", Qt::Key_End, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrackBar, AnErrorOfAChangeMadeByTheProgramIsRaisedByTheCall)
{
    TestEnvironment env;
    TTrackBar bar;
    bar.onChange = [] { throw VeltraError(QStringLiteral("engine refused")); };
    EXPECT_THROW(bar.SetPosition(3), VeltraError);
    EXPECT_EQ(bar.Position(), 3);
    EXPECT_THROW(bar.SetMin(5), VeltraError); // clamps the position: a change
    EXPECT_NO_THROW(bar.SetMax(10));          // no change at all
    EXPECT_TRUE(env.messages.isEmpty());
}

TEST(TrackBar, AnErrorOfAChangeMadeByTheUserIsShownAndTheBarStaysUsable)
{
    TestEnvironment env;
    TTrackBar bar;
    bool fail = true;
    std::vector<int> seen;
    bar.onChange = [&] {
        seen.push_back(bar.Position());
        if (fail)
            throw VeltraError(QStringLiteral("engine refused"));
    };
    QTest::keyClick(&bar, Qt::Key_Right);
    EXPECT_EQ(env.messages, QStringList{QStringLiteral("engine refused")});
    fail = false;
    QTest::keyClick(&bar, Qt::Key_Right);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_NO_THROW(bar.SetPosition(0)); // no error left over from the user's change
}
} // namespace
