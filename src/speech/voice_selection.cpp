#include "speech/voice_selection.h"

#include "shell/app_windows.h"
#include "shell/ini_file.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/ui_services.h"
#include "speech/attribute_range.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/tform4.h"
#include "speech/track_bar.h"
#include "speech/tts_result.h"

#include <QLabel>
#include <QListWidget>

#include <climits>

namespace {
const QString kSection = QStringLiteral("Voice");
const QString kPerson = QStringLiteral("person");
const QString kPitch = QStringLiteral("pitch");
const QString kSpeed = QStringLiteral("speed");
const QString kVolume = QStringLiteral("volume");
constexpr int kMissingPersonText = 43;

// Track bars hold ints; an engine value beyond them stands for the largest.
int TrackValue(uint32_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

void ApplyRange(TTrackBar& bar, uint32_t current, uint32_t lowest, uint32_t highest)
{
    bar.SetMax(TrackValue(highest));
    bar.SetMin(TrackValue(lowest));
    bar.SetPosition(TrackValue(current));
}

void ApplyAttributes(TForm4& dialog, ITTSAttributesA& attributes)
{
    if (std::optional<AttributeRange> speed = ReadSpeedRange(attributes)) {
        ApplyRange(*dialog.speedtb, speed->current, speed->lowest, speed->highest);
        dialog.speedtb->SetFrequency(TrackValue((speed->highest - speed->lowest) / 10));
    }
    if (std::optional<AttributeRange> pitch = ReadPitchRange(attributes)) {
        ApplyRange(*dialog.pitchtb, pitch->current, pitch->lowest, pitch->highest);
        dialog.pitchtb->SetFrequency((static_cast<int>(pitch->highest) -
                                      static_cast<int>(pitch->lowest)) / 10);
    }
    if (std::optional<AttributeRange> volume = ReadVolumeRange(attributes))
        ApplyRange(*dialog.volumetb, VolumeLevel(volume->current), VolumeLevel(volume->lowest),
                   VolumeLevel(volume->highest));
}

void EnableTrackBars(TForm4& dialog)
{
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.speedtb, dialog.speedstatic,
                                                      dialog.pitchtb, dialog.pitchstatic,
                                                      dialog.volumetb, dialog.volumestatic})
        w->setEnabled(true);
}

int FindVoiceRow(const QListWidget& list, const QString& name, Qt::CaseSensitivity cs)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->text().compare(name, cs) == 0)
            return row;
    return -1;
}

template <typename F> void OnVoiceDialog(F f)
{
    if (TForm4* dialog = Windows().form4)
        f(*dialog);
}
} // namespace

std::optional<TTSMODEINFOA> ModeAt(ITTSEnumA& enumerator, int index)
{
    CheckResult(enumerator.Reset());
    TTSMODEINFOA mode;
    for (int i = 0; i <= index; ++i) {
        uint32_t fetched = 0;
        CheckResult(enumerator.Next(1, &mode, &fetched));
        if (fetched != 1)
            return std::nullopt;
    }
    return mode;
}

void FillVoiceList(TForm4& dialog)
{
    std::shared_ptr<ITTSEnumA> enumerator = SpeechEngines().enumerator;
    if (!enumerator)
        return;
    QListWidget& list = *dialog.voicelist;
    {
        const QSignalBlocker quiet(&list);
        list.clear();
    }
    CheckResult(enumerator->Reset());
    for (;;) {
        TTSMODEINFOA mode;
        uint32_t fetched = 0;
        CheckResult(enumerator->Next(1, &mode, &fetched));
        if (fetched != 1)
            break;
        list.addItem(mode.szModeName);
    }
    if (list.count() == 0) {
        // No voice left: a mode taken earlier must not be selected later.
        SpeechEngines().selectedMode.reset();
        return;
    }
    const int preferred = FindVoiceRow(list, kDefaultVoiceName, Qt::CaseSensitive);
    dialog.SelectVoiceRow(preferred >= 0 ? preferred : 0);
    dialog.voicelistClick(nullptr);
}

void SelectEngine(TForm4& dialog)
{
    SpeechEngineState& s = SpeechEngines();
    if (Speech().SpeechReady && s.engine) {
        // Silence the old engine while the sink still hears it: its AudioStop
        // must clear TtsAudioActive, or the flag would stay set with no
        // engine left to clear it.
        if (Speech().TtsAudioActive)
            CheckResult(s.engine->AudioReset());
        CheckResult(s.engine->UnRegister(s.sinkKey));
    }
    s.engine.reset();
    s.attributes.reset();
    if (!s.enumerator || !s.selectedMode)
        return;

    std::shared_ptr<ITTSCentralA> engine;
    CheckResult(s.enumerator->Select(s.selectedMode->gModeID, &engine, s.audioDestination));
    s.engine = engine;
    Speech().SpeechReady = true;

    std::shared_ptr<ITTSAttributesA> attributes;
    CheckResult(engine->QueryAttributes(&attributes));
    s.attributes = attributes;
    ApplyAttributes(dialog, *attributes);
    EnableTrackBars(dialog);

    // The sink came with the dialog's speech set-up; without it the engine
    // could never report the end of its audio.
    if (s.sink)
        CheckResult(engine->Register(s.sink, &s.sinkKey));
}

void SaveVoiceSettings(TForm4& dialog)
{
    if (dialog.voicelist->currentRow() < 0)
        return;
    IniFile ini = ConfigFile();
    ini.WriteString(kSection, kPerson, dialog.SelectedVoice());
    ini.WriteInteger(kSection, kPitch, dialog.pitchtb->Position());
    ini.WriteInteger(kSection, kSpeed, dialog.speedtb->Position());
    ini.WriteInteger(kSection, kVolume, dialog.volumetb->Position());
}

void LoadVoiceSettings(TForm4& dialog)
{
    if (!Settings().voiceallowed)
        return;
    const IniFile ini = ConfigFile();
    const QString person = ini.ReadString(kSection, kPerson, QString());
    if (person.isEmpty())
        return;
    const int row = FindVoiceRow(*dialog.voicelist, person, Qt::CaseInsensitive);
    if (row < 0) {
        // The voice is gone (uninstalled since it was stored). Say so and go
        // on as on a first run: the caller then takes the listed voice.
        ShowMessage(Str(kMissingPersonText) + QLatin1Char(' ') + person);
        return;
    }
    dialog.SelectVoiceRow(row);
    dialog.voicelistClick(nullptr);
    SelectEngine(dialog);
    dialog.pitchtb->SetPosition(ini.ReadInteger(kSection, kPitch, 0));
    dialog.speedtb->SetPosition(ini.ReadInteger(kSection, kSpeed, 0));
    dialog.volumetb->SetPosition(ini.ReadInteger(kSection, kVolume, 255));
}

void FillVoiceList() { OnVoiceDialog([](TForm4& d) { FillVoiceList(d); }); }
void SelectEngine() { OnVoiceDialog([](TForm4& d) { SelectEngine(d); }); }
void SaveVoiceSettings() { OnVoiceDialog([](TForm4& d) { SaveVoiceSettings(d); }); }
void LoadVoiceSettings() { OnVoiceDialog([](TForm4& d) { LoadVoiceSettings(d); }); }
