#pragma once
// The audio destination of the espeak-ng engines: a mixer's speech queue,
// shared by every engine that speaks into it (the chosen voice and the
// desktop voice's espeak-ng fallback).
//
// The mixer has one speech queue and one marker callback. This class owns
// that callback and routes each marker to the engine that queued it. When one
// engine clears the queue, the markers of the others are dropped with it; they
// are then run at once, so their owners still learn that their audio ended.
#include "speech/tts_interfaces.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

class MixerAudioDestination : public IAudioMultiMediaDevice {
public:
    explicit MixerAudioDestination(AudioMixer& mixer);
    ~MixerAudioDestination() override;
    MixerAudioDestination(const MixerAudioDestination&) = delete;
    MixerAudioDestination& operator=(const MixerAudioDestination&) = delete;

    AudioMixer* Mixer() override { return &m_mixer; }

    // Queues a marker behind the samples the owner has queued so far;
    // passed runs (on the audio thread, or in ClearSpeech of another owner)
    // once every sample before it has been played. Thread-safe.
    void QueueMarker(const void* owner, std::function<void()> passed);
    // Drops all queued speech now. The owner's markers are forgotten, those
    // of other owners run. Thread-safe; call without holding an owner's lock.
    void ClearSpeech(const void* owner);
    // Forgets the owner's markers (the owner is going away).
    void Forget(const void* owner);

private:
    void MarkerPassed(uint64_t id);

    struct Pending {
        const void* owner;
        std::function<void()> passed;
    };
    AudioMixer& m_mixer;
    std::mutex m_lock;
    std::map<uint64_t, Pending> m_pending;
    uint64_t m_nextId = 1;
};

// The destination of the program's one audio output (Audio()), shared by all
// its espeak-ng engines.
std::shared_ptr<MixerAudioDestination> ProgramAudioDestination();
