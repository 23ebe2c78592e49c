#include "speech/stream_voice.h"

#include "speech/gui_post.h"
#include "speech/speech_transcript.h"

#include <QCoreApplication>
#include <vector>

namespace {
// Resets a flag however the scope is left (a handler may throw).
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};
} // namespace

StreamVoice::StreamVoice(std::unique_ptr<VoiceBackend> backend) : m_backend(std::move(backend)) {}

StreamVoice::~StreamVoice() {
    if (m_backend && m_current) m_backend->Cancel();
}

HRESULT StreamVoice::SetEventInterests(long interests) {
    m_interests = interests;
    return S_OK;
}

void StreamVoice::SetStreamHandlers(StreamEvent onStartStream, StreamEvent onEndStream) {
    m_onStart = std::move(onStartStream);
    m_onEnd = std::move(onEndStream);
}

HRESULT StreamVoice::Speak(const QString& text, long flags, long* streamNumber) {
    auto keep = shared_from_this();
    const long number = m_nextNumber++;
    if (streamNumber) *streamNumber = number;
    if (flags & SVSFPurgeBeforeSpeak) {
        if (!m_transcriptName.isEmpty()) TranscribeSpeech(m_transcriptName, QStringLiteral("stop"));
        PurgeAll();
    }
    m_queue.push_back(Stream{number, text, (flags & SVSFIsXML) != 0, false});
    if (flags & SVSFlagsAsync) {
        ScheduleAdvance();
        return S_OK;
    }
    // Synchronous: an empty stream at the head of the queue ends right here;
    // anything else is waited for while the GUI thread goes on processing events.
    Advance();
    if (!Ended(number)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        while (!Ended(number))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return S_OK;
}

void StreamVoice::ReplaceBackend(std::unique_ptr<VoiceBackend> backend, bool restartCurrent) {
    std::unique_ptr<VoiceBackend> old = std::move(m_backend);
    m_backend = std::move(backend);
    if (old && m_current) old->Cancel();
    if (!m_current) return;
    if (restartCurrent && m_backend)
        BeginCurrent();
    else
        Finished(m_current->number, m_current->attempt);
}

bool StreamVoice::Ended(long number) const {
    return number <= m_lastEnded;
}

void StreamVoice::ScheduleAdvance() {
    if (m_advancePosted) return;
    m_advancePosted = true;
    std::weak_ptr<StreamVoice> weak = weak_from_this();
    PostToGuiThread([weak] {
        if (auto voice = weak.lock()) {
            voice->m_advancePosted = false;
            voice->Advance();
        }
    });
}

void StreamVoice::Advance() {
    // A handler run from here may speak again; the loop below picks its stream up.
    if (m_advancing) return;
    auto keep = shared_from_this();
    FlagScope scope(m_advancing);
    while (!m_current && !m_queue.empty()) {
        m_current = m_queue.front();
        m_queue.pop_front();
        FireStart(*m_current);
        if (!m_current) continue; // purged by the StartStream handler
        if (m_current->text.isEmpty() || !m_backend) {
            Stream done = *m_current;
            m_current.reset();
            FireEnd(done);
            continue;
        }
        BeginCurrent();
    }
}

void StreamVoice::BeginCurrent() {
    const long number = m_current->number;
    const int attempt = ++m_current->attempt;
    std::weak_ptr<StreamVoice> weak = weak_from_this();
    m_backend->Begin(m_current->text, m_current->xml, [weak, number, attempt] {
        PostToGuiThread([weak, number, attempt] {
            if (auto voice = weak.lock()) voice->Finished(number, attempt);
        });
    });
}

void StreamVoice::Finished(long number, int attempt) {
    // A stream that was purged, or begun again elsewhere, has ended already.
    if (!m_current || m_current->number != number || m_current->attempt != attempt) return;
    Stream done = *m_current;
    m_current.reset();
    FireEnd(done);
    if (!m_current && !m_queue.empty()) Advance();
}

void StreamVoice::PurgeAll() {
    std::vector<Stream> purged;
    if (m_current) {
        if (m_backend) m_backend->Cancel();
        purged.push_back(*m_current);
        m_current.reset();
    }
    purged.insert(purged.end(), m_queue.begin(), m_queue.end());
    m_queue.clear();
    for (Stream& stream : purged) {
        if (!stream.started) FireStart(stream);
        FireEnd(stream);
    }
}

void StreamVoice::FireStart(Stream& stream) {
    stream.started = true;
    if ((m_interests & SVEStartInputStream) && m_onStart) m_onStart(stream.number, 0);
}

void StreamVoice::FireEnd(const Stream& stream) {
    if (stream.number > m_lastEnded) m_lastEnded = stream.number;
    if ((m_interests & SVEEndInputStream) && m_onEnd) m_onEnd(stream.number, 0);
}
