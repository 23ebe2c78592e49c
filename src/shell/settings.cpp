#include "shell/settings.h"

#include "shell/resource_localizer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
AppSettings g_settings;
QString g_configPathOverride;
} // namespace

AppSettings& Settings() { return g_settings; }
void ResetSettingsToDefaults() { g_settings = AppSettings(); }

QString ConfigPathForExecutable(const QString& executablePath)
{
    QFileInfo info(executablePath);
    QString name = info.fileName();
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString base = dot > 0 ? name.left(dot) : name;
    return info.absoluteDir().filePath(base + QStringLiteral(".ini"));
}

QString ConfigFilePath()
{
    if (!g_configPathOverride.isEmpty())
        return g_configPathOverride;
    return ConfigPathForExecutable(QCoreApplication::applicationFilePath());
}

void SetConfigFilePathForTesting(const QString& path) { g_configPathOverride = path; }

IniFile ConfigFile() { return IniFile(ConfigFilePath()); }

void ReadLanguage()
{
    SetCurrentLanguage(ConfigFile().ReadInteger(QStringLiteral("environment"),
                                                QStringLiteral("language"), 1000));
}

void WriteLanguage()
{
    ConfigFile().WriteInteger(QStringLiteral("environment"), QStringLiteral("language"),
                              CurrentLanguage());
}

bool ReadSettings(bool voiceEnumeratorExists)
{
    IniFile ini = ConfigFile();
    if (ini.exists()) {
        g_settings.voiceallowed = ini.ReadBool("voice", "voiceallowed", true);
        g_settings.veltrasounds = ini.ReadBool("sounds", "veltrasounds", true);
        g_settings.sndvolume = ini.ReadInteger("sounds", "sndvolume", 0);
        g_settings.braillekeys = ini.ReadBool("keyboard", "braillekeys", false);
        g_settings.sapi5 = ini.ReadBool("Voice", "sapi5", false);
        return true;
    }
    g_settings.voiceallowed = voiceEnumeratorExists;
    ini.WriteBool("voice", "voiceallowed", g_settings.voiceallowed);
    return false;
}

void SaveSettings()
{
    IniFile ini = ConfigFile();
    ini.WriteBool("voice", "voiceallowed", g_settings.voiceallowed);
    ini.WriteBool("sounds", "veltrasounds", g_settings.veltrasounds);
    ini.WriteInteger("sounds", "sndvolume", g_settings.sndvolume);
    ini.WriteBool("keyboard", "braillekeys", g_settings.braillekeys);
}
