#pragma once
// The desktop voice's speech-dispatcher back-end (libspeechd).
//
// The daemon can block its clients forever, so the GUI thread never calls
// libspeechd: one thread of this back-end owns the connection and runs the
// commands (connect, say, cancel, probe) in order. A watchdog on the GUI
// thread declares the daemon lost when a command does not return in time,
// when a probe sent while a message plays does not return, or when a message
// never ends; it then calls the failure handler once, and nothing of this
// back-end is used again. A thread stuck inside libspeechd is left behind; it
// touches only its own data.
#include "speech/stream_voice.h"

#include <QTimer>

#include <chrono>
#include <memory>

struct SpeechdOptions {
    // Unix socket of the daemon; empty uses libspeechd's default address
    // (and lets it start the daemon).
    QString socketPath;
    // How long one command may take before the daemon counts as lost.
    std::chrono::milliseconds commandTimeout{2000};
    // How often a playing message checks that the daemon still answers.
    std::chrono::milliseconds probeInterval{1000};
    // A message that has not ended after this plus 150 ms per character is lost.
    std::chrono::milliseconds messageAllowance{10000};
};

class SpeechdBackend : public VoiceBackend {
public:
    // Starts connecting at once (off the GUI thread). onFailure runs on the
    // GUI thread, at most once: when the connection cannot be made or the
    // daemon stops answering. connected tells whether the connection was made
    // before (then streams in flight are lost, not merely unspoken).
    using FailureHandler = std::function<void(bool connected)>;
    SpeechdBackend(SpeechdOptions options, FailureHandler onFailure);
    ~SpeechdBackend() override;

    void Begin(const QString& text, bool xml, Done done) override;
    void Cancel() override;

    bool Failed() const;

    // The connection thread's data (defined in the source file).
    struct Core;

private:
    void Watch();
    void KeepWatching();
    void Fail();
    std::shared_ptr<Core> m_core;
    SpeechdOptions m_options;
    FailureHandler m_onFailure;
    QTimer m_watchdog;
    bool m_failed = false;
};
