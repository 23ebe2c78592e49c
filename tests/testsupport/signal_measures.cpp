#include "testsupport/signal_measures.h"

#include "speech/audio_mixer.h"

#include <algorithm>
#include <cmath>

std::vector<float> RenderFrames(AudioMixer& mixer, int frames, int period)
{
    std::vector<float> out(static_cast<size_t>(frames));
    for (int done = 0; done < frames; done += period)
        mixer.Render(out.data() + done, std::min(period, frames - done));
    return out;
}

double FrequencyByZeroCrossings(const std::vector<float>& s, int rate)
{
    std::vector<double> crossings;
    for (size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0)
            crossings.push_back(static_cast<double>(i - 1) + s[i - 1] / (s[i - 1] - s[i]));
    if (crossings.size() < 2)
        return 0;
    const double cycles = static_cast<double>(crossings.size() - 1);
    return cycles * rate / (crossings.back() - crossings.front());
}

float Peak(const std::vector<float>& s)
{
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    return peak;
}
