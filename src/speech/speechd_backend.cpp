#include "speech/speechd_backend.h"

#include "speech/gui_post.h"
#include "speech/speech_transcript.h"

#include <libspeechd.h>

#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <set>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;
const QString kName = QStringLiteral("speech-dispatcher");
} // namespace

struct SpeechdBackend::Core {
    struct Message {
        Done done;
        Clock::time_point started;
        qsizetype chars = 0;
    };

    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> commands;
    bool stopping = false;
    bool threadDone = false;
    std::condition_variable finished;

    // Written by the connection thread under the lock.
    bool connected = false;
    bool lost = false; // the connection could not be made or broke
    std::optional<Clock::time_point> busySince;
    // Messages the daemon is speaking, by message id.
    std::map<size_t, Message> messages;
    // Ends that arrived before spd_say returned their id.
    std::set<size_t> endedEarly;
    uint64_t cancelGeneration = 0;
    Clock::time_point lastProbe;

    // Connection thread only.
    SPDConnection* connection = nullptr;
    bool ssmlMode = false;

    void Run() {
        // libspeechd writes to its socket with write(): a daemon that died
        // would kill the process with SIGPIPE. Blocked here, it turns into an
        // error instead (libspeechd's own thread inherits the mask).
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        for (;;) {
            std::function<void()> command;
            {
                std::unique_lock<std::mutex> g(lock);
                wake.wait(g, [&] { return stopping || !commands.empty(); });
                if (commands.empty()) break;
                command = std::move(commands.front());
                commands.pop_front();
                busySince = Clock::now();
            }
            command();
            std::lock_guard<std::mutex> g(lock);
            busySince.reset();
        }
        std::lock_guard<std::mutex> g(lock);
        threadDone = true;
        finished.notify_all();
    }

    void Enqueue(std::function<void()> command) {
        {
            std::lock_guard<std::mutex> g(lock);
            commands.push_back(std::move(command));
        }
        wake.notify_one();
    }

    void MessageEnded(size_t id) {
        Done done;
        {
            std::lock_guard<std::mutex> g(lock);
            auto it = messages.find(id);
            if (it == messages.end()) {
                endedEarly.insert(id);
                return;
            }
            done = std::move(it->second.done);
            messages.erase(it);
        }
        if (done) done();
    }
};

namespace {
// libspeechd's callbacks carry no user pointer: they reach the one live back-end here.
std::mutex g_callbackLock;
std::weak_ptr<SpeechdBackend::Core> g_callbackCore;

void OnMessageEnd(size_t msgId, size_t, SPDNotificationType) {
    std::shared_ptr<SpeechdBackend::Core> core;
    {
        std::lock_guard<std::mutex> g(g_callbackLock);
        core = g_callbackCore.lock();
    }
    if (core) core->MessageEnded(msgId);
}

void Connect(SpeechdBackend::Core& core, const QString& socketPath) {
    char* error = nullptr;
    SPDConnection* connection = nullptr;
    if (socketPath.isEmpty()) {
        connection =
            spd_open2("veltrabasic", "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    } else {
        QByteArray path = socketPath.toLocal8Bit();
        SPDConnectionAddress address{};
        address.method = SPD_METHOD_UNIX_SOCKET;
        address.unix_socket_name = path.data();
        connection =
            spd_open2("veltrabasic", "main", nullptr, SPD_MODE_THREADED, &address, 0, &error);
    }
    std::free(error);
    if (connection) {
        connection->callback_end = OnMessageEnd;
        connection->callback_cancel = OnMessageEnd;
        if (spd_set_notification_on(connection, SPD_END) != 0 ||
            spd_set_notification_on(connection, SPD_CANCEL) != 0) {
            spd_close(connection);
            connection = nullptr;
        }
    }
    std::lock_guard<std::mutex> g(core.lock);
    core.connection = connection;
    core.connected = connection != nullptr;
    core.lost = connection == nullptr;
}

QByteArray SsmlDocument(const QString& text) {
    if (text.trimmed().startsWith(QLatin1String("<speak"))) return text.toUtf8();
    return QByteArrayLiteral("<speak>") + text.toUtf8() + QByteArrayLiteral("</speak>");
}
} // namespace

SpeechdBackend::SpeechdBackend(SpeechdOptions options, FailureHandler onFailure)
    : m_core(std::make_shared<Core>()), m_options(std::move(options)),
      m_onFailure(std::move(onFailure)) {
    {
        std::lock_guard<std::mutex> g(g_callbackLock);
        g_callbackCore = m_core;
    }
    std::shared_ptr<Core> core = m_core;
    const QString socketPath = m_options.socketPath;
    core->Enqueue([core = core.get(), socketPath] { Connect(*core, socketPath); });
    // The thread keeps the core alive: a thread stuck in libspeechd outlives this back-end.
    std::thread([core] { core->Run(); }).detach();
    m_watchdog.setInterval(100);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { Watch(); });
    m_watchdog.start();
}

SpeechdBackend::~SpeechdBackend() {
    m_watchdog.stop();
    {
        std::lock_guard<std::mutex> g(g_callbackLock);
        if (g_callbackCore.lock() == m_core) g_callbackCore.reset();
    }
    Core* core = m_core.get();
    if (!m_failed) {
        core->Enqueue([core] {
            SPDConnection* connection;
            {
                std::lock_guard<std::mutex> g(core->lock);
                connection = std::exchange(core->connection, nullptr);
            }
            if (connection) spd_close(connection);
        });
    }
    std::unique_lock<std::mutex> g(core->lock);
    core->stopping = true;
    core->wake.notify_all();
    // An orderly end waits for the connection to close, but never for long;
    // after a failure the thread may be stuck for good and is not waited for.
    if (!m_failed)
        core->finished.wait_for(g, m_options.commandTimeout, [core] { return core->threadDone; });
}

void SpeechdBackend::KeepWatching() {
    // A running watchdog keeps its beat: restarting it on every call would put
    // its check off for as long as calls keep coming (a held key).
    if (!m_watchdog.isActive()) m_watchdog.start();
}

bool SpeechdBackend::Failed() const {
    return m_failed;
}

void SpeechdBackend::Begin(const QString& text, bool xml, Done done) {
    if (m_failed) return; // the replacement back-end takes the stream over
    TranscribeSpeech(kName, QStringLiteral("speak"), text);
    Core* core = m_core.get();
    uint64_t generation;
    {
        std::lock_guard<std::mutex> g(core->lock);
        generation = core->cancelGeneration;
    }
    const QByteArray data = xml ? SsmlDocument(text) : text.toUtf8();
    const qsizetype chars = text.size();
    core->Enqueue([core, data, xml, chars, generation, done = std::move(done)]() mutable {
        SPDConnection* connection;
        {
            std::lock_guard<std::mutex> g(core->lock);
            // A stream purged while this command waited its turn is not sent:
            // the daemon would start speaking it before the cancel behind it.
            if (generation != core->cancelGeneration) return;
            connection = core->connection;
        }
        if (!connection) return;
        if (xml != core->ssmlMode) {
            spd_set_data_mode(connection, xml ? SPD_DATA_SSML : SPD_DATA_TEXT);
            core->ssmlMode = xml;
        }
        const int id = spd_say(connection, SPD_MESSAGE, data.constData());
        std::unique_lock<std::mutex> g(core->lock);
        if (id < 0) {
            core->lost = true;
            return;
        }
        const size_t msg = static_cast<size_t>(id);
        if (core->endedEarly.erase(msg) || generation != core->cancelGeneration) {
            g.unlock();
            done();
            return;
        }
        core->messages[msg] = Core::Message{std::move(done), Clock::now(), chars};
    });
    KeepWatching();
}

void SpeechdBackend::Cancel() {
    if (m_failed) return;
    Core* core = m_core.get();
    {
        std::lock_guard<std::mutex> g(core->lock);
        ++core->cancelGeneration;
        core->messages.clear();
        core->endedEarly.clear();
    }
    core->Enqueue([core] {
        SPDConnection* connection;
        {
            std::lock_guard<std::mutex> g(core->lock);
            connection = core->connection;
        }
        if (connection) spd_cancel(connection);
    });
    KeepWatching();
}

void SpeechdBackend::Watch() {
    if (m_failed) return;
    Core* core = m_core.get();
    const Clock::time_point now = Clock::now();
    bool lost = false;
    bool idle = false;
    {
        std::lock_guard<std::mutex> g(core->lock);
        lost = core->lost || (core->busySince && now - *core->busySince > m_options.commandTimeout);
        for (const auto& [id, message] : core->messages)
            if (now - message.started >
                m_options.messageAllowance + message.chars * std::chrono::milliseconds(150))
                lost = true;
        const bool quiet = !core->busySince && core->commands.empty();
        if (!lost && quiet && !core->messages.empty() &&
            now - core->lastProbe > m_options.probeInterval) {
            core->lastProbe = now;
            core->commands.push_back([core] {
                SPDConnection* connection;
                {
                    std::lock_guard<std::mutex> g(core->lock);
                    connection = core->connection;
                }
                // A command whose reply libspeechd does not parse: its
                // getters crash on the empty reply of a broken connection.
                if (connection && spd_set_notification_on(connection, SPD_END) != 0) {
                    std::lock_guard<std::mutex> g(core->lock);
                    core->lost = true; // the daemon is gone
                }
            });
            core->wake.notify_one();
        }
        idle = core->connected && quiet && core->messages.empty();
    }
    if (lost)
        Fail();
    else if (idle)
        m_watchdog.stop();
}

void SpeechdBackend::Fail() {
    m_failed = true;
    m_watchdog.stop();
    bool connected;
    {
        std::lock_guard<std::mutex> g(m_core->lock);
        connected = m_core->connected;
        m_core->messages.clear();
        m_core->stopping = true;
        m_core->commands.clear();
        // The connection is left open: closing it could block as well.
    }
    m_core->wake.notify_all();
    TranscribeSpeech(kName, QStringLiteral("note"),
                     connected ? QStringLiteral("the daemon stopped answering; using espeak-ng")
                               : QStringLiteral("the daemon cannot be reached; using espeak-ng"));
    // Posted: the handler replaces (destroys) this back-end.
    FailureHandler handler = m_onFailure;
    PostToGuiThread([handler, connected] {
        if (handler) handler(connected);
    });
}
