#pragma once
// The chosen-voice engine on libespeak-ng: one espeak-ng voice with speed,
// pitch and volume, speaking into a mixer's speech queue.
//
// Texts and tags queue in order; the process-wide espeak-ng worker
// synthesises them one after another straight into the mixer, and a marker
// behind each text tells when its last sample has been played. One idle/active
// state, shared under a lock by the GUI thread (TextData, AudioReset) and the
// audio thread (markers), decides when AudioStart and AudioStop are posted, so
// that they always alternate.
//
// Attributes: speed 80 to 450 words per minute (default 175), pitch 0 to 100
// (default 50), volume level 0 to 255 in bits 8 to 15 (default 255, which is
// espeak-ng's full volume 100). Values are clamped; 0 and all-ones give the
// extremes.
#include "speech/espeak_worker.h"
#include "speech/tts_interfaces.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>

class MixerAudioDestination;

class EspeakEngine : public ITTSCentralA,
                     public ITTSAttributesA,
                     public std::enable_shared_from_this<EspeakEngine> {
public:
    static constexpr uint32_t kSpeedMin = 80;
    static constexpr uint32_t kSpeedMax = 450;
    static constexpr uint32_t kSpeedDefault = 175;
    static constexpr uint32_t kPitchMin = 0;
    static constexpr uint32_t kPitchMax = 100;
    static constexpr uint32_t kPitchDefault = 50;
    static constexpr uint32_t kVolumeLevelMax = 255;

    // Create with std::make_shared. backendName names the engine in the transcript.
    EspeakEngine(EspeakVoiceInfo voice, std::shared_ptr<MixerAudioDestination> destination,
                 QString backendName = QStringLiteral("espeak-ng"));
    ~EspeakEngine() override;

    HRESULT TextData(const QByteArray& text) override;
    HRESULT AudioReset() override;
    // AudioReset without its line in the transcript (the desktop voice notes its purges itself).
    void Silence();
    HRESULT Inject(const QByteArray& tag) override;
    HRESULT Register(std::shared_ptr<ITTSNotifySinkA> sink, DWORD* key) override;
    HRESULT UnRegister(DWORD key) override;
    HRESULT QueryAttributes(std::shared_ptr<ITTSAttributesA>* attributes) override;

    HRESULT PitchGet(WORD* pitch) override;
    HRESULT PitchSet(WORD pitch) override;
    HRESULT SpeedGet(DWORD* speed) override;
    HRESULT SpeedSet(DWORD speed) override;
    HRESULT VolumeGet(DWORD* volume) override;
    HRESULT VolumeSet(DWORD volume) override;

    // Queues a text like TextData and calls done (from any thread) once its
    // last sample has been played; done is not called when AudioReset drops
    // the text. ssml reads the text as SSML. Used by the desktop voice.
    void SpeakUtterance(const QString& text, bool ssml, std::function<void()> done);

    const EspeakVoiceInfo& Voice() const { return m_voice; }

private:
    enum class Param { Speed, Pitch, Volume };
    struct Item {
        bool isText = false;
        QByteArray utf8;
        bool ssml = false;
        std::function<void()> done;
        Param param = Param::Speed;
        uint32_t value = 0;
    };

    void QueueText(Item item);
    void QueueParam(Param param, uint32_t value);
    void ScheduleDrainLocked();
    void Drain();
    void UtterancePlayed(uint64_t generation, const std::function<void()>& done);
    void PostNotificationLocked(bool start);

    const EspeakVoiceInfo m_voice;
    const std::shared_ptr<MixerAudioDestination> m_destination;
    const QString m_backendName;

    // Shared by the GUI, worker and audio threads.
    std::mutex m_lock;
    std::deque<Item> m_queue;
    bool m_drainScheduled = false;
    bool m_active = false;
    uint64_t m_generation = 0;
    int m_outstanding = 0; // texts queued and not yet played
    std::map<DWORD, std::shared_ptr<ITTSNotifySinkA>> m_sinks;
    DWORD m_nextKey = 1;

    // GUI thread: the attribute values in force for the next text.
    uint32_t m_speed = kSpeedDefault;
    uint32_t m_pitch = kPitchDefault;
    uint32_t m_volumeLevel = kVolumeLevelMax;

    // Worker thread: what the text being synthesised uses.
    EspeakSynthParams m_synth;
};

// espeak-ng's volume (0..100) for a level 0..255.
int EspeakVolumeForLevel(uint32_t level);
