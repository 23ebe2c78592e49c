#pragma once
// Measuring rendered audio in tests: render a test-owned mixer in device-sized
// periods, count a signal's frequency by its zero crossings, take its peak.
#include <vector>

class AudioMixer;

// Renders `frames` frames in periods of `period` frames, as the device would.
std::vector<float> RenderFrames(AudioMixer& mixer, int frames, int period = 256);
// Frequency in Hz from the rising zero crossings (interpolated between samples).
double FrequencyByZeroCrossings(const std::vector<float>& samples, int rate);
float Peak(const std::vector<float>& samples);
