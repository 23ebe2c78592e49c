#pragma once
// The stream bookkeeping of a desktop voice: numbering, the queue of streams,
// one StartStream and one EndStream per stream (purged and failed ones
// included), the purge and the event interests. What makes the sound of one
// stream is a VoiceBackend; the speech-dispatcher voice, its espeak-ng
// fallback and the scripted test voice differ only there.
#include "speech/tts_interfaces.h"

#include <deque>
#include <memory>
#include <optional>

// Speaks one stream at a time for a StreamVoice. Called on the GUI thread.
class VoiceBackend {
public:
    using Done = std::function<void()>;
    virtual ~VoiceBackend() = default;
    // Starts speaking a non-empty text. done() is called once, from any
    // thread, when the text has been spoken or could not be. After Cancel it
    // need not come, and is ignored if it does.
    virtual void Begin(const QString& text, bool xml, Done done) = 0;
    // Silences the stream in progress at once.
    virtual void Cancel() = 0;
};

class StreamVoice : public ISpeechVoice, public std::enable_shared_from_this<StreamVoice> {
public:
    // Create with std::make_shared: finished streams come back through weak references.
    explicit StreamVoice(std::unique_ptr<VoiceBackend> backend);
    ~StreamVoice() override;

    HRESULT SetEventInterests(long interests) override;
    long EventInterests() const override { return m_interests; }
    void SetStreamHandlers(StreamEvent onStartStream, StreamEvent onEndStream) override;
    HRESULT Speak(const QString& text, long flags, long* streamNumber = nullptr) override;

    // Swaps what speaks the following streams. The stream in progress is
    // cancelled on the old back-end; it ends, or with restartCurrent it is
    // spoken again from its start by the new one. Used to fall back when a
    // daemon cannot be reached (restart) or stops answering (end).
    void ReplaceBackend(std::unique_ptr<VoiceBackend> backend, bool restartCurrent = false);
    VoiceBackend* Backend() const { return m_backend.get(); }
    // Names the voice in the speech transcript, where every purge is noted;
    // empty (the default) notes nothing.
    void SetTranscriptName(const QString& name) { m_transcriptName = name; }
    // Whether any stream is queued or speaking.
    bool Busy() const { return m_current.has_value() || !m_queue.empty(); }

private:
    struct Stream {
        long number = 0;
        QString text;
        bool xml = false;
        bool started = false;
        int attempt = 0; // which Begin of this stream a done() answers
    };
    void ScheduleAdvance();
    void BeginCurrent();
    void Advance();
    void Finished(long number, int attempt);
    void PurgeAll();
    void FireStart(Stream& stream);
    void FireEnd(const Stream& stream);
    bool Ended(long number) const;

    std::unique_ptr<VoiceBackend> m_backend;
    QString m_transcriptName;
    long m_interests = 0;
    StreamEvent m_onStart;
    StreamEvent m_onEnd;
    long m_nextNumber = 1;
    long m_lastEnded = 0;
    std::deque<Stream> m_queue;
    std::optional<Stream> m_current;
    bool m_advancePosted = false;
    bool m_advancing = false;
};
