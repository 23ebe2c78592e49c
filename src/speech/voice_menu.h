#pragma once
// The main window's Voice menu command: opens the voice dialog with the
// stored voice selected; OK stores the choice and selects its engine.
#include <QString>

class TForm4;

// Runs the command with the program's main window and voice dialog.
void RunVoiceMenu();
// The same with a given dialog; mainCaption is spoken when the dialog closes
// without OK.
void RunVoiceMenu(TForm4& dialog, const QString& mainCaption);

// The message of the Voice menu when the voice is allowed but no voice can be
// listed, in the current interface language.
QString NoVoicesAvailableText();
