#pragma once
// Speaking a typed, erased or reviewed key by its echo.
#include <QString>

// Speaks the echo of the text's first character, only while speech is ready
// (the voice-allowed setting is not consulted). A single capital letter is
// announced first by a 20 ms tone at 2000 Hz, also when it has no echo. The
// desktop voice speaks asynchronously with markup; the chosen voice speaks
// and this waits for it to finish.
void SpeakKey(const QString& text);
