// RND: the remembered value, the range of the draws, reseeding from the clock.
#include "runtime/rnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

namespace {
class RndTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRnd(); }
    // Back to the real clock and generator: a test's clock may read a local
    // that is gone once the test ends.
    void TearDown() override { ResetRnd(); }
};

TEST_F(RndTest, ZeroRepeatsTheLastDrawWithoutDrawing)
{
    std::deque<double> draws = {0.25, 0.5, 0.75};
    SetRandomDrawForTesting([&] {
        const double r = draws.front();
        draws.pop_front();
        return r;
    });
    EXPECT_EQ(Rnd(0), 0.0) << "nothing drawn yet";
    EXPECT_EQ(Rnd(1), 0.25);
    EXPECT_EQ(Rnd(0), 0.25);
    EXPECT_EQ(Rnd(0), 0.25);
    EXPECT_EQ(Rnd(3.5), 0.5) << "any positive argument draws the next number";
    EXPECT_EQ(Rnd(-1), 0.75) << "a negative argument draws after reseeding";
    EXPECT_EQ(Rnd(0), 0.75);
}

TEST_F(RndTest, DrawsLieInTheHalfOpenUnitIntervalAndGiveSecretsFrom1To100)
{
    bool sawLow = false;
    bool sawHigh = false;
    for (int i = 0; i < 100000; ++i) {
        const double r = Rnd(1);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        const double secret = std::trunc(r * 100) + 1;
        ASSERT_GE(secret, 1);
        ASSERT_LE(secret, 100);
        sawLow = sawLow || secret == 1;
        sawHigh = sawHigh || secret == 100;
    }
    EXPECT_TRUE(sawLow && sawHigh) << "both ends of 1..100 come up";
}

TEST_F(RndTest, ReseedingFromTheClockRestartsTheSequenceOfThatReading)
{
    std::uint64_t reading = 1000;
    SetClockSeedForTesting([&] { return reading; });
    RandomizeFromClock();
    const double a[3] = {Rnd(1), Rnd(1), Rnd(1)};

    RandomizeFromClock();
    EXPECT_EQ(Rnd(1), a[0]) << "the same reading gives the same sequence";
    EXPECT_EQ(Rnd(-1), a[0]) << "a negative argument reseeds, then draws";
    EXPECT_EQ(Rnd(0), a[0]);
    EXPECT_EQ(Rnd(1), a[1]);

    reading = 1001;
    RandomizeFromClock();
    const double b[3] = {Rnd(1), Rnd(1), Rnd(1)};
    EXPECT_FALSE(a[0] == b[0] && a[1] == b[1] && a[2] == b[2])
        << "another reading gives another sequence";
}

TEST_F(RndTest, TheRealClockGivesNewSeedsAsTimeGoesOn)
{
    const std::uint64_t first = ClockSeed();
    // The clock may be coarse: several readings can fall on the same tick.
    bool advanced = false;
    for (int i = 0; i < 10000000 && !advanced; ++i)
        advanced = ClockSeed() != first;
    EXPECT_TRUE(advanced);
}
} // namespace
