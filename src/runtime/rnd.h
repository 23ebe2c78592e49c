#pragma once
// The BASIC function RND and its generator.
#include <cstdint>
#include <functional>

// x > 0: the next uniform number r, 0 <= r < 1 (remembered).
// x = 0: the remembered number again (0 before the first draw).
// x < 0: seeds the generator from the clock again, then draws as for x > 0.
double Rnd(double x);
// Seeds the generator from the high-resolution clock.
void RandomizeFromClock();

// The seed a clock reading gives; the high-resolution clock in nanoseconds.
std::uint64_t ClockSeed();
// Tests fix the clock readings; an empty function returns to the real clock.
void SetClockSeedForTesting(std::function<std::uint64_t()> clock);

// Tests replace the draws (each call gives the next r, 0 <= r < 1); an empty
// function returns to the generator.
using RandomDraw = std::function<double()>;
void SetRandomDrawForTesting(RandomDraw draw);
// Forgets the remembered number, returns to the real clock and draws, and
// seeds the generator from the clock.
void ResetRnd();
