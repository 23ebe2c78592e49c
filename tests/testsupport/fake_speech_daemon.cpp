#include "testsupport/fake_speech_daemon.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

void WriteAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + done,
                                 static_cast<size_t>(data.size() - done), MSG_NOSIGNAL);
        if (n <= 0) return;
        done += n;
    }
}

QByteArray Event(int code, int id, const char* text) {
    return QByteArray::number(code) + '-' + QByteArray::number(id) + "\r\n" +
           QByteArray::number(code) + "-1\r\n" + QByteArray::number(code) + ' ' + text + "\r\n";
}
} // namespace

int ListenOnUnixSocket(const QString& path, int backlog) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray p = path.toLocal8Bit();
    std::memcpy(addr.sun_path, p.constData(), std::min<size_t>(p.size(), sizeof addr.sun_path - 1));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fd, backlog) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

FakeSpeechDaemon::FakeSpeechDaemon(const QString& socketPath, Options options)
    : m_options(options), m_answering(options.answering) {
    m_listenFd = ListenOnUnixSocket(socketPath, 4);
    if (m_listenFd < 0) return;
    if (::pipe(m_wakeFd) != 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        return;
    }
    m_thread = std::thread([this] { Run(); });
}

FakeSpeechDaemon::~FakeSpeechDaemon() {
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_stop = true;
    }
    m_answerNow.notify_all();
    if (m_wakeFd[1] >= 0) (void)::write(m_wakeFd[1], "x", 1);
    if (m_thread.joinable()) m_thread.join();
    for (int fd : {m_listenFd, m_wakeFd[0], m_wakeFd[1]})
        if (fd >= 0) ::close(fd);
}

QStringList FakeSpeechDaemon::Received() const {
    std::lock_guard<std::mutex> g(m_lock);
    return m_received;
}

void FakeSpeechDaemon::StartAnswering() {
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_answering = true;
    }
    m_answerNow.notify_all();
}

void FakeSpeechDaemon::Run() {
    {
        std::unique_lock<std::mutex> g(m_lock);
        m_answerNow.wait(g, [this] { return m_answering || m_stop; });
    }
    while (!m_stop) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakeFd[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) <= 0 || (fds[1].revents & POLLIN)) return;
        const int client = ::accept(m_listenFd, nullptr, nullptr);
        if (client < 0) continue;
        Serve(client);
        ::close(client);
    }
}

void FakeSpeechDaemon::Serve(int fd) {
    QByteArray input;
    bool receiving = false;
    QByteArray message;
    int nextId = 1;
    int messages = 0;
    bool hung = false;
    std::map<int, Clock::time_point> playing; // id -> when it ends
    for (;;) {
        int timeout = -1;
        if (!playing.empty() && !hung) {
            auto next = std::min_element(playing.begin(), playing.end(),
                                         [](auto& a, auto& b) { return a.second < b.second; });
            timeout = std::max<int>(
                0, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        next->second - Clock::now())
                                        .count()));
        }
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wakeFd[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0 || (fds[1].revents & POLLIN)) return;
        if (!hung) {
            for (auto it = playing.begin(); it != playing.end();) {
                if (it->second <= Clock::now()) {
                    WriteAll(fd, Event(702, it->first, "END"));
                    it = playing.erase(it);
                } else {
                    ++it;
                }
            }
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP))) continue;
        char buffer[4096];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        input.append(buffer, n);
        qsizetype end;
        while ((end = input.indexOf("\r\n")) >= 0) {
            const QByteArray line = input.left(end);
            input.remove(0, end + 2);
            if (receiving) {
                if (line == ".") {
                    receiving = false;
                    {
                        std::lock_guard<std::mutex> g(m_lock);
                        m_received << QStringLiteral("text: ") + QString::fromUtf8(message);
                    }
                    if (hung) continue;
                    const int id = nextId++;
                    WriteAll(fd, "225-" + QByteArray::number(id) + "\r\n225 OK MESSAGE QUEUED\r\n");
                    playing[id] = Clock::now() + m_options.messageDuration;
                    if (++messages == m_options.hangAfterMessages) hung = true;
                } else {
                    message += (message.isEmpty() ? QByteArray() : QByteArray("\n")) + line;
                }
                continue;
            }
            {
                std::lock_guard<std::mutex> g(m_lock);
                m_received << QString::fromUtf8(line);
            }
            if (hung) continue;
            if (line.compare("speak", Qt::CaseInsensitive) == 0) {
                receiving = true;
                message.clear();
                WriteAll(fd, "230 OK RECEIVING DATA\r\n");
            } else if (line.startsWith("CANCEL")) {
                WriteAll(fd, "200 OK CANCELLED\r\n");
                for (const auto& [id, when] : playing)
                    WriteAll(fd, Event(703, id, "CANCELLED"));
                playing.clear();
            } else if (line.startsWith("GET")) {
                WriteAll(fd, "251-100\r\n251 OK GET RETURN VALUE\r\n");
            } else {
                WriteAll(fd, "200 OK\r\n");
            }
        }
    }
}
