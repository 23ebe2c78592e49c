#pragma once
// A stand-in for the speech-dispatcher daemon on a unix socket, so the
// desktop voice's speech-dispatcher path can be tested on machines without
// the daemon. It speaks the client side of SSIP that libspeechd uses: every
// command is answered "200 OK", "speak" receives a message and answers with
// its id, the message "ends" (a 702 END event) after the chosen time, and
// "CANCEL SELF" sends a 703 CANCELLED event for every message not yet ended.
// With hangAfterMessages it stops answering anything after that many
// messages, as a daemon without a sound server does.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A unix stream socket listening on path: its descriptor, or -1.
int ListenOnUnixSocket(const QString& path, int backlog);

class FakeSpeechDaemon {
public:
    struct Options {
        std::chrono::milliseconds messageDuration{30};
        int hangAfterMessages = -1; // -1: never hang
        // false: clients wait in the socket's backlog (their first command
        // unanswered) until StartAnswering, as with a daemon still starting.
        bool answering = true;
    };
    FakeSpeechDaemon(const QString& socketPath, Options options);
    ~FakeSpeechDaemon(); // closes the socket: a blocked client gets an error

    bool Listening() const { return m_listenFd >= 0; }
    void StartAnswering();
    // Every command line received, and "text: ..." for every message's text.
    QStringList Received() const;

private:
    void Run();
    void Serve(int fd);

    Options m_options;
    int m_listenFd = -1;
    int m_wakeFd[2] = {-1, -1};
    mutable std::mutex m_lock;
    std::condition_variable m_answerNow;
    bool m_answering = true;
    QStringList m_received;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
