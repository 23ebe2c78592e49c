// Feeds arbitrary bytes to the sound bank reader. It must refuse or accept
// without reading outside the buffer, and whatever it accepts must survive
// being written and read again unchanged (apart from 16-bit rounding).
#include "speech/sound_bank.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<soundbank::Wave> waves;
    try {
        waves = soundbank::Decode(data, size);
    } catch (const soundbank::FormatError&) {
        return 0;
    }
    const std::vector<uint8_t> again = soundbank::Encode(waves);
    const std::vector<soundbank::Wave> back = soundbank::Decode(again.data(), again.size());
    if (back.size() != waves.size())
        std::abort();
    for (size_t i = 0; i < waves.size(); ++i) {
        if (back[i].name != waves[i].name || back[i].sampleRate != waves[i].sampleRate ||
            back[i].format != waves[i].format || back[i].samples.size() != waves[i].samples.size())
            std::abort();
        for (size_t k = 0; k < waves[i].samples.size(); ++k)
            if (std::fabs(back[i].samples[k] - waves[i].samples[k]) > 1.0f / 16384)
                std::abort();
    }
    return 0;
}
