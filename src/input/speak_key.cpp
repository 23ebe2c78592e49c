#include "input/speak_key.h"

#include "input/key_echo.h"
#include "shell/settings.h"
#include "speech/sound_cues.h"
#include "speech/speech_output.h"

void SpeakKey(const QString& text)
{
    if (!Speech().SpeechReady)
        return;
    // The character 0 is what a suppressed key press leaves: nothing to say.
    if (text.isEmpty() || text == QString(QChar(0)))
        return;
    if (text.size() == 1 && IsCapitalLetter(text[0], 2))
        PlayNotes({2000}, 20, 1);
    const QString echo = FindKeyEcho(text[0]);
    if (echo.isEmpty())
        return;
    if (Settings().sapi5) {
        DesktopVoiceSpeak(echo, SVSFlagsAsync | SVSFIsXML);
        return;
    }
    ChosenVoiceSpeakAndWait(echo);
}
