#pragma once
// The program's own speech engine layer. The speech operations, the voice
// list and the voice dialog talk to every engine through these small
// interfaces, shaped after the two kinds of engine the program expects:
//
// - a chosen-voice engine: an enumerator of voice modes (ITTSEnumA) that
//   creates an engine (ITTSCentralA) for one mode, speaking into an audio
//   destination; the engine queues text and inline control tags, stops at
//   once on AudioReset, has attributes (ITTSAttributesA) and reports the start
//   and end of its audio to registered sinks (ITTSNotifySinkA);
// - a desktop voice (ISpeechVoice): asynchronous Speak of streams, a purge,
//   and StartStream/EndStream events.
//
// Objects are held by std::shared_ptr (the reference count). Results are
// HRESULT-like integers; CheckResult (tts_result.h) turns a failure into the
// program's error.
//
// Threads: every call is made on the GUI thread. Every notification (sink
// calls, stream events) is delivered on the GUI thread through its event
// queue, so it runs while the GUI thread processes events, never inside the
// call that caused it, except where a function says otherwise.
#include <QString>
#include <QUuid>

#include <cstdint>
#include <functional>
#include <memory>

using HRESULT = int32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using QWORD = uint64_t;
using GUID = QUuid;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr bool Failed(HRESULT hr) {
    return hr < 0;
}
constexpr bool Succeeded(HRESULT hr) {
    return hr >= 0;
}

// One voice mode of a chosen-voice engine, as the enumerator reports it.
struct TTSMODEINFOA {
    GUID gModeID;       // stable identity of the mode: Select takes it
    QString szModeName; // the name the voice list shows
    QString szLanguage; // language tag of the voice ("cs", "en-gb"), informative
};

// Notifications from a chosen-voice engine; the program's TTTSNotifySink
// implements it. Calls arrive on the GUI thread.
class ITTSNotifySinkA {
public:
    virtual ~ITTSNotifySinkA() = default;
    virtual HRESULT AttribChanged(DWORD attribute) = 0;
    virtual HRESULT AudioStart(QWORD timeStamp) = 0;
    virtual HRESULT AudioStop(QWORD timeStamp) = 0;
    virtual HRESULT Visual(QWORD timeStamp, char cIPAPhoneme, char cEnginePhoneme, DWORD hints,
                           const void* mouth) = 0;
};

// Attributes of a chosen-voice engine. A getter or setter answers E_NOTIMPL
// when the engine lacks the attribute. Setting 0 selects the lowest value and
// the type's all-ones value the highest; the getter then reports it. Values
// out of range are clamped, never refused.
//
// Volume: bits 8 to 15 of the low word carry the level 0 to 255 that the
// program reads; 0 gives 0 and 0xFFFFFFFF gives 255.
class ITTSAttributesA {
public:
    virtual ~ITTSAttributesA() = default;
    virtual HRESULT PitchGet(WORD* pitch) = 0;
    virtual HRESULT PitchSet(WORD pitch) = 0;
    virtual HRESULT SpeedGet(DWORD* speed) = 0;
    virtual HRESULT SpeedSet(DWORD speed) = 0;
    virtual HRESULT VolumeGet(DWORD* volume) = 0;
    virtual HRESULT VolumeSet(DWORD volume) = 0;
};

// A chosen-voice engine speaking one voice mode.
class ITTSCentralA {
public:
    virtual ~ITTSCentralA() = default;
    // Queues a text (the program's Windows-1250 bytes, no terminating zero
    // needed) as plain text and returns before its audio starts. When the
    // engine was idle, the AudioStart notification has been posted to the GUI
    // thread when TextData returns; AudioStop follows once the last queued
    // sample has been played. Every AudioStart has exactly one AudioStop, also
    // for a text that yields no sound.
    virtual HRESULT TextData(const QByteArray& text) = 0;
    // Stops at once: drops the queued text and audio. Tags injected before
    // the reset still take effect. When audio was active, AudioStop has been
    // posted when AudioReset returns; nothing is posted for discarded text.
    virtual HRESULT AudioReset() = 0;
    // Queues an inline control tag ("\Spd=N\", "\Pit=N\", "\Vol=N\") that
    // governs the text queued after it. Unknown tags are ignored.
    virtual HRESULT Inject(const QByteArray& tag) = 0;
    // Registers a sink for the notifications; *key identifies it for UnRegister.
    virtual HRESULT Register(std::shared_ptr<ITTSNotifySinkA> sink, DWORD* key) = 0;
    virtual HRESULT UnRegister(DWORD key) = 0;
    // The engine's attributes object (E_NOINTERFACE when it has none).
    virtual HRESULT QueryAttributes(std::shared_ptr<ITTSAttributesA>* attributes) = 0;
};

// Where a chosen-voice engine plays its audio.
class AudioMixer;
class IAudioMultiMediaDevice {
public:
    virtual ~IAudioMultiMediaDevice() = default;
    // The mixer the engine queues its samples into; null for engines that
    // make no sound of their own (the scripted test engine).
    virtual AudioMixer* Mixer() = 0;
};

// The voice modes of a chosen-voice engine, in a fixed order.
class ITTSEnumA {
public:
    virtual ~ITTSEnumA() = default;
    // Back to the first mode.
    virtual HRESULT Reset() = 0;
    // Copies up to count records into modes; *fetched (may be null) receives
    // how many. S_OK when count records came, S_FALSE after the last.
    virtual HRESULT Next(uint32_t count, TTSMODEINFOA* modes, uint32_t* fetched) = 0;
    // Creates an engine for the mode, playing into the destination.
    virtual HRESULT Select(const GUID& modeId, std::shared_ptr<ITTSCentralA>* engine,
                           std::shared_ptr<IAudioMultiMediaDevice> destination) = 0;
};

// Flags of ISpeechVoice::Speak.
constexpr int SVSFlagsAsync = 1;
constexpr int SVSFPurgeBeforeSpeak = 2;
constexpr int SVSFIsXML = 8;
// Event interests of ISpeechVoice.
constexpr long SVEStartInputStream = 2;
constexpr long SVEEndInputStream = 4;
constexpr long SVEAllEvents = 33790;

// The desktop voice: speaks with the desktop's default voice, rate and volume.
class ISpeechVoice {
public:
    using StreamEvent = std::function<void(long streamNumber, long long streamPosition)>;
    virtual ~ISpeechVoice() = default;

    // Which events are delivered (StartStream needs SVEStartInputStream,
    // EndStream SVEEndInputStream). The first call connects the voice.
    virtual HRESULT SetEventInterests(long interests) = 0;
    virtual long EventInterests() const = 0;
    // The handlers of the StartStream and EndStream events.
    virtual void SetStreamHandlers(StreamEvent onStartStream, StreamEvent onEndStream) = 0;

    // Speaks the text as one stream. With SVSFlagsAsync it returns at once;
    // without it, it returns when the stream has ended. SVSFPurgeBeforeSpeak
    // first ends every queued and speaking stream. SVSFIsXML reads the text as
    // SSML markup. Every stream, purged ones included, reports exactly one
    // StartStream and then one EndStream. A purge delivers the EndStream of
    // every purged stream (and their StartStream if they had not started)
    // before Speak returns; so does a synchronous Speak of an empty text for
    // its own pair.
    virtual HRESULT Speak(const QString& text, long flags, long* streamNumber = nullptr) = 0;
};
