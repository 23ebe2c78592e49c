#include "runtime/rnd.h"

#include <chrono>
#include <random>

namespace {
std::function<std::uint64_t()> g_testClock;

std::uint64_t RealClockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(ticks);
}

struct RndState {
    std::mt19937_64 generator{RealClockSeed()};
    double lastrnd = 0;
    RandomDraw testDraw;
};

RndState& State()
{
    static RndState state;
    return state;
}

// The top 53 bits of a 64-bit draw as a fraction: every double of the form
// k / 2^53, evenly likely, and never 1.
double NextDraw()
{
    RndState& state = State();
    if (state.testDraw)
        return state.testDraw();
    return static_cast<double>(state.generator() >> 11) * 0x1.0p-53;
}
} // namespace

std::uint64_t ClockSeed() { return g_testClock ? g_testClock() : RealClockSeed(); }

void SetClockSeedForTesting(std::function<std::uint64_t()> clock) { g_testClock = std::move(clock); }

void RandomizeFromClock() { State().generator.seed(ClockSeed()); }

double Rnd(double x)
{
    RndState& state = State();
    if (x < 0)
        RandomizeFromClock();
    else if (!(x > 0))
        return state.lastrnd; // zero (and a NaN argument) draws nothing
    state.lastrnd = NextDraw();
    return state.lastrnd;
}

void SetRandomDrawForTesting(RandomDraw draw) { State().testDraw = std::move(draw); }

void ResetRnd()
{
    g_testClock = {};
    State().testDraw = {};
    State().lastrnd = 0;
    RandomizeFromClock();
}
