#pragma once
// The one audio output of the program: a mixer that plays the speech stream
// and any number of wave voices together. The audio device (SDL) pulls mixed
// frames from it in its callback; tests call Render themselves, which makes a
// null output with a virtual clock.
//
// All public functions are thread-safe. Render never allocates and holds the
// mixer's lock only briefly.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A mono wave: samples in [-1, 1] recorded at sampleRate.
struct WaveData {
    std::vector<float> samples;
    int sampleRate = 0;
};

class AudioMixer {
public:
    static constexpr int kDefaultRate = 48000;
    explicit AudioMixer(int outputRate = kDefaultRate);
    ~AudioMixer();

    int outputRate() const;

    // Mixes the next `frames` mono frames into out (overwriting it).
    void Render(float* out, int frames);
    // Frames rendered so far: the mixer's clock.
    uint64_t FramesRendered() const;

    // --- speech: one queue of 16-bit mono samples, played in order, resampled
    // to the output rate.
    void QueueSpeech(const int16_t* samples, size_t count, int sampleRate);
    // A marker in the speech queue: once every sample queued before it has
    // been rendered, the marker callback runs with its id (on the rendering
    // thread, outside the mixer's lock). Markers are never skipped, except by
    // ClearSpeech.
    void QueueSpeechMarker(uint64_t id);
    void SetSpeechMarkerCallback(std::function<void(uint64_t)> callback);
    // Drops every queued speech sample and marker at once; their callbacks never
    // run, not even for a marker the output passed during the period being
    // rendered. Only a callback that is already executing may still finish.
    // The speech being rendered at that moment falls silent within one period.
    void ClearSpeech();
    // Whether speech samples or markers are still queued.
    bool SpeechPending() const;

    // --- wave voices: returns a voice id (> 0).
    // playbackRate: the wave's samples per second while playing (a 64-sample
    // period played at 64 x f sounds at f Hz). volume: attenuation in
    // hundredths of a decibel, 0 full, -10000 silence.
    int PlayWave(std::shared_ptr<const WaveData> wave, double playbackRate, int volume, bool looped);
    void StopVoice(int voice);
    bool VoicePlaying(int voice) const;
    // Changes a playing voice from its next rendered period on; unknown or
    // finished voices are ignored.
    void SetVoiceRate(int voice, double playbackRate);
    void SetVoiceVolume(int voice, int volume);
    // Blocks (without spinning) until the voice has stopped playing or the
    // timeout has passed; returns whether it stopped.
    bool WaitVoice(int voice, std::chrono::milliseconds timeout) const;

    // The linear gain of an attenuation in hundredths of a decibel:
    // 10^(v/2000), clamped to full volume above 0 and silence at -10000 and below.
    static float GainForAttenuation(int volume);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The process-wide mixer (created on first use at the default rate, never destroyed).
AudioMixer& Audio();
