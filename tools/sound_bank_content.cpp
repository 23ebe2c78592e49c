#include "sound_bank_content.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kCueRate = 48000;

// Harmonic amplitudes (and sine/cosine phase) of one note set's timbre. Only
// harmonics up to 8 are used: the highest cue note (2000 Hz) then stays
// below the output's Nyquist frequency instead of folding back as noise.
struct Timbre {
    const char* what;
    std::array<double, 8> sine;   // amplitude of harmonic h + 1 in sine phase
    std::array<double, 8> cosine; // ... and in cosine phase
};

// One pleasant, distinct colour per note set.
constexpr std::array<Timbre, kNoteSets> kTimbres = {{
    {"pure sine", {1}, {}},
    {"soft triangle", {1, 0, -1.0 / 9, 0, 1.0 / 25, 0, -1.0 / 49, 0}, {}},
    {"warm organ", {1, 0.5, 0.25, 0.12}, {}},
    {"hollow clarinet", {1, 0, 1.0 / 3, 0, 1.0 / 5, 0, 1.0 / 7, 0}, {}},
    {"bright string", {1, 1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5, 1.0 / 6, 1.0 / 7, 1.0 / 8}, {}},
    {"breathy flute", {1, 0.18, 0.05}, {0, 0, 0, 0.03}},
    {"glassy chime", {1, 0, 0.45, 0, 0, 0.2}, {}},
    {"narrow pulse", {}, {1, 0.92, 0.8, 0.65, 0.5, 0.35, 0.22, 0.12}},
    {"full organ", {1, 0.7, 0.5, 0.35, 0, 0.2, 0, 0.1}, {}},
    {"mellow vibraphone", {1, 0, 0, 0.35, 0, 0, 0, 0.08}, {0, 0.1}},
}};

// Scales samples so the loudest one has the given peak.
void Normalise(std::vector<float>& s, double peak)
{
    float max = 0;
    for (float v : s)
        max = std::max(max, std::fabs(v));
    if (max > 0)
        for (float& v : s)
            v = static_cast<float>(v * peak / max);
}

std::vector<float> NotePeriod(const Timbre& t)
{
    std::vector<float> s(kNotePeriod);
    for (int i = 0; i < kNotePeriod; ++i) {
        const double x = 2 * kPi * i / kNotePeriod;
        double v = 0;
        for (int h = 0; h < 8; ++h)
            v += t.sine[h] * std::sin((h + 1) * x) + t.cosine[h] * std::cos((h + 1) * x);
        s[i] = static_cast<float>(v);
    }
    // The pulse's cosine terms give it an offset: keep it centred on zero.
    double mean = 0;
    for (float v : s)
        mean += v;
    mean /= kNotePeriod;
    for (float& v : s)
        v = static_cast<float>(v - mean);
    // A chord of eight notes still stays clear of clipping most of the time.
    Normalise(s, 0.45);
    return s;
}

// A clean 1 kHz tone of 80 ms with 5 ms raised-cosine edges (no click).
std::vector<float> Beep()
{
    const int length = static_cast<int>(kCueRate * 80 / 1000);
    const int edge = static_cast<int>(kCueRate * 5 / 1000);
    std::vector<float> s(length);
    for (int i = 0; i < length; ++i) {
        double env = 1;
        if (i < edge)
            env = 0.5 - 0.5 * std::cos(kPi * i / edge);
        else if (i >= length - edge)
            env = 0.5 - 0.5 * std::cos(kPi * (length - 1 - i) / edge);
        s[i] = static_cast<float>(0.5 * env * std::sin(2 * kPi * 1000.0 * i / kCueRate));
    }
    return s;
}

// A deterministic noise source (a linear congruential generator), so the
// clicks come out the same on every build.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed) {}
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (static_cast<double>(m_state >> 8) / (1u << 24)) * 2 - 1;
    }

private:
    uint32_t m_state;
};

// Click n: a short damped knock whose pitch rises and whose body shortens
// with n, with a touch of noise at its attack: click2 is a soft low tick
// (caret moves), click16 a crisp high one (review keys).
std::vector<float> Click(int n)
{
    const double freq = 500.0 + 180.0 * n;
    const double ms = 14.0 - 0.55 * n;
    const int length = static_cast<int>(kCueRate * ms / 1000);
    const double decay = 5.0 / length; // about -43 dB at the end
    Noise noise(0x5eed0000u + static_cast<uint32_t>(n));
    std::vector<float> s(length);
    for (int i = 0; i < length; ++i) {
        const double env = std::exp(-decay * i);
        const double attack = std::exp(-decay * 6 * i);
        const double tone = std::sin(2 * kPi * freq * i / kCueRate);
        s[i] = static_cast<float>(env * tone + 0.35 * attack * noise.next());
    }
    // Fade the last millisecond to zero so the click ends without a step.
    const int fade = std::min(length, static_cast<int>(kCueRate / 1000));
    for (int i = 0; i < fade; ++i)
        s[length - 1 - i] *= static_cast<float>(i) / fade;
    Normalise(s, 0.6);
    return s;
}

} // namespace

std::vector<soundbank::Wave> BuildSoundBank()
{
    std::vector<soundbank::Wave> waves;
    for (int set = 0; set < kNoteSets; ++set) {
        const std::vector<float> period = NotePeriod(kTimbres[set]);
        // Every channel of a set holds the same wave: channels only let the
        // notes of one chord sound at once.
        for (int channel = 1; channel <= kChannels; ++channel) {
            // The rate stored is that of a 375 Hz note; the program always
            // sets the rate of a note before playing it.
            waves.push_back({"snd" + std::to_string(channel) + std::to_string(set),
                             kNotePeriod * 375, soundbank::SampleFormat::Float32, period});
        }
    }
    waves.push_back({"beep", kCueRate, soundbank::SampleFormat::Pcm16, Beep()});
    for (int n = 1; n <= kClicks; ++n)
        waves.push_back(
            {"click" + std::to_string(n), kCueRate, soundbank::SampleFormat::Pcm16, Click(n)});
    return waves;
}
