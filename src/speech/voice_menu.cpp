#include "speech/voice_menu.h"

#include "shell/app_windows.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/tform1.h"
#include "shell/ui_services.h"
#include "speech/speech_output.h"
#include "speech/tform4.h"
#include "speech/voice_selection.h"

#include <QListWidget>

namespace {
constexpr int kVoiceOffText = 18;
constexpr int kVoiceSelectedText = 19;
} // namespace

QString NoVoicesAvailableText()
{
    switch (CurrentLanguage()) {
    case 1000: return QStringLiteral("Žádné hlasy nejsou k dispozici.");
    case 3000: return QStringLiteral("Žiadne hlasy nie sú k dispozícii.");
    default: return QStringLiteral("No voices are available.");
    }
}

void RunVoiceMenu(TForm4& dialog, const QString& mainCaption)
{
    if (!Settings().voiceallowed) {
        ShowMessage(Str(kVoiceOffText));
        return;
    }
    // Nothing to choose from: say so rather than open an empty dialog.
    if (dialog.voicelist->count() == 0) {
        ShowMessage(NoVoicesAvailableText());
        return;
    }
    if (!Speech().SpeechReady) {
        SelectEngine(dialog);
        SaveVoiceSettings(dialog);
    }
    LoadVoiceSettings(dialog);

    dialog.voicelist->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() == QDialog::Accepted) {
        SaveVoiceSettings(dialog);
        LoadVoiceSettings(dialog);
        SpeakAndWait(Str(kVoiceSelectedText));
    } else {
        SpeakAndWait(mainCaption);
    }
}

void RunVoiceMenu()
{
    TForm4* dialog = Windows().form4;
    if (!dialog)
        return;
    const QString caption = Windows().form1 ? Windows().form1->windowTitle() : QString();
    RunVoiceMenu(*dialog, caption);
}
