#pragma once
// The process-wide settings and their moves between memory and the ini file.
#include "shell/ini_file.h"

#include <QString>

struct AppSettings {
    bool voiceallowed = false;
    bool veltrasounds = true;
    int sndvolume = 0;
    bool braillekeys = false;
    bool sapi5 = false;
};

AppSettings& Settings();
// Back to the start-up defaults (voice not allowed, sounds on at full volume,
// braille keyboard and the desktop voice off).
void ResetSettingsToDefaults();

// The ini file lies beside the executable: its path with the extension
// replaced by ".ini". Tests point it elsewhere.
QString ConfigFilePath();
void SetConfigFilePathForTesting(const QString& path); // empty restores the default
// The rule for a given executable path, exposed for its tests.
QString ConfigPathForExecutable(const QString& executablePath);
IniFile ConfigFile();

void ReadLanguage();
void WriteLanguage();
// Reads the general settings when the file exists; otherwise (first run)
// stores whether any voice exists as "voiceallowed". Returns whether the file existed.
bool ReadSettings(bool voiceEnumeratorExists);
void SaveSettings();
