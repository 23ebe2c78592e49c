#include "testsupport/test_environment.h"

#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/ui_services.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

QString TestDataPath(const QString& name)
{
    return QStringLiteral(VELTRA_TEST_DATA_DIR "/") + name;
}

TestEnvironment::TestEnvironment()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary directory");
    m_oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    SetConfigFilePathForTesting(iniPath());
    SetMessageHandler([this](const QString& text) { messages.append(text); });
    SetEndProcessHandler([this](int code) { endedWith.append(code); });
    SetCurrentLanguage(1000);
    ResetSettingsToDefaults();
}

TestEnvironment::~TestEnvironment()
{
    SetMessageHandler({});
    SetEndProcessHandler({});
    SetConfigFilePathForTesting(QString());
    QDir::setCurrent(m_oldCwd);
}

void TestEnvironment::writeFile(const QString& name, const QByteArray& content) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TestEnvironment::readFile(const QString& name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void TestEnvironment::copyTestData(const QString& name, const QString& as) const
{
    QFile src(TestDataPath(name));
    if (!src.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing test data");
    writeFile(as.isEmpty() ? name : as, src.readAll());
}

void CopyRunFiles(const TestEnvironment& env)
{
    QDir run(QStringLiteral(VELTRA_BUILD_DIR "/run"));
    const QStringList patterns{QStringLiteral("*.dat"), QStringLiteral("*.vbt"),
                               QStringLiteral("*.eky")};
    for (const QString& name : run.entryList(patterns, QDir::Files)) {
        if (name == QStringLiteral("ram.dat"))
            continue;
        QFile::copy(run.filePath(name), env.path(name));
    }
    // The tests' build generates the sound bank even where the run directory is not laid out.
    if (!QFile::exists(env.path(QStringLiteral("sounds.dat"))))
        QFile::copy(QStringLiteral(VELTRA_SOUND_BANK_FILE), env.path(QStringLiteral("sounds.dat")));
}
