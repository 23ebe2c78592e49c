#include "speech/mixer_audio_destination.h"

#include "speech/audio_mixer.h"
#include "speech/audio_output.h"

#include <vector>

MixerAudioDestination::MixerAudioDestination(AudioMixer& mixer) : m_mixer(mixer) {
    m_mixer.SetSpeechMarkerCallback([this](uint64_t id) { MarkerPassed(id); });
}

MixerAudioDestination::~MixerAudioDestination() {
    // Waits for a callback already running, so none reaches a dead object.
    m_mixer.SetSpeechMarkerCallback(nullptr);
}

void MixerAudioDestination::QueueMarker(const void* owner, std::function<void()> passed) {
    std::lock_guard<std::mutex> g(m_lock);
    const uint64_t id = m_nextId++;
    m_pending.emplace(id, Pending{owner, std::move(passed)});
    // Queued under the lock so that the markers enter the mixer in id order.
    m_mixer.QueueSpeechMarker(id);
}

void MixerAudioDestination::MarkerPassed(uint64_t id) {
    std::function<void()> passed;
    {
        std::lock_guard<std::mutex> g(m_lock);
        auto it = m_pending.find(id);
        if (it == m_pending.end()) return;
        passed = std::move(it->second.passed);
        m_pending.erase(it);
    }
    if (passed) passed();
}

void MixerAudioDestination::ClearSpeech(const void* owner) {
    std::vector<std::function<void()>> others;
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_mixer.ClearSpeech();
        for (auto it = m_pending.begin(); it != m_pending.end();) {
            if (it->second.owner != owner) others.push_back(std::move(it->second.passed));
            it = m_pending.erase(it);
        }
    }
    for (auto& passed : others)
        if (passed) passed();
}

void MixerAudioDestination::Forget(const void* owner) {
    std::lock_guard<std::mutex> g(m_lock);
    for (auto it = m_pending.begin(); it != m_pending.end();)
        it = it->second.owner == owner ? m_pending.erase(it) : std::next(it);
}

std::shared_ptr<MixerAudioDestination> ProgramAudioDestination() {
    static std::shared_ptr<MixerAudioDestination> destination =
        std::make_shared<MixerAudioDestination>(Audio());
    OpenAudioOutput();
    return destination;
}
