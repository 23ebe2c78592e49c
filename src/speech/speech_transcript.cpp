#include "speech/speech_transcript.h"

#include <QDateTime>
#include <QFile>

#include <mutex>

namespace {
std::mutex g_lock;
QFile* g_file = nullptr; // open on the path in g_path, or null

void CloseLocked() {
    delete g_file;
    g_file = nullptr;
}
} // namespace

void TranscribeSpeech(const QString& backend, const QString& kind, const QString& text) {
    const QString path = qEnvironmentVariable("VELTRA_SPEECH_LOG");
    if (path.isEmpty()) return;
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
    const QString line =
        QStringLiteral("%1 [%2] %3: %4\n")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), backend, kind, shown);
    std::lock_guard<std::mutex> g(g_lock);
    if (g_file && g_file->fileName() != path) CloseLocked();
    if (!g_file) {
        g_file = new QFile(path);
        if (!g_file->open(QIODevice::WriteOnly | QIODevice::Append)) {
            CloseLocked();
            return;
        }
    }
    g_file->write(line.toUtf8());
    g_file->flush();
}

void CloseSpeechTranscript() {
    std::lock_guard<std::mutex> g(g_lock);
    CloseLocked();
}
