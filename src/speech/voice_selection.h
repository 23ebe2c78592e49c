#pragma once
// Listing the chosen-voice engine's voices and selecting one: the voice list
// of the voice dialog mirrors the enumerator (row n is the n-th mode after a
// Reset), the selected row's mode record becomes the engine, and the choice
// with its pitch, speed and volume is kept in the ini file's [Voice] section.
//
// The forms without a dialog argument work on the program's voice dialog
// (Windows().form4) and do nothing before it exists.
#include "speech/tts_interfaces.h"

#include <QString>

#include <optional>

class TForm4;

// The voice the list selects by default when it is filled.
inline const QString kDefaultVoiceName = QStringLiteral("Jakub");

// Empties the list, lists every mode in the enumerator's order and selects
// the first one named exactly "Jakub", else the first, taking its mode
// record. Nothing without an enumerator.
void FillVoiceList(TForm4& dialog);
void FillVoiceList();

// Replaces the engine with one for the selected mode record: the sink is
// unregistered from the old engine, the new engine's speed, pitch and volume
// ranges go to the dialog's track bars (which are enabled), the sink is
// registered with it and speech is ready. Without a mode record it only
// releases the old engine.
void SelectEngine(TForm4& dialog);
void SelectEngine();

// Writes person, pitch, speed and volume from the dialog. Nothing when no
// voice is selected (there is no voice at all).
void SaveVoiceSettings(TForm4& dialog);
void SaveVoiceSettings();

// With the voice allowed and a stored person: selects that voice (letter case
// aside), takes its mode, selects its engine and applies the stored pitch,
// speed and volume. A stored person the list does not hold is reported and
// otherwise treated as none stored.
void LoadVoiceSettings(TForm4& dialog);
void LoadVoiceSettings();

// The mode at a position of the enumerator's order; empty when the
// enumerator lists fewer modes. A failure code is raised.
std::optional<TTSMODEINFOA> ModeAt(ITTSEnumA& enumerator, int index);
