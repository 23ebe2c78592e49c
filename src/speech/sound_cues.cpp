#include "speech/sound_cues.h"

#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/ui_services.h"
#include "speech/speech_output.h"
#include "speech/wave_list.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

SoundCueState g_cues;

const QString kBankFile = QStringLiteral("sounds.dat");

// Cue numbers arrive as floating point and are truncated toward zero; a value
// that is not a number counts as 0 and huge ones saturate instead of wrapping.
int64_t Truncate(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 9.2e18)
        return INT64_MAX;
    if (v <= -9.2e18)
        return INT64_MIN;
    return static_cast<int64_t>(v);
}

QString NoteName(int channel, int64_t set)
{
    return QStringLiteral("snd") + QString::number(channel) + QString::number(set);
}

// Samples per second that make a 64-sample period sound at the note; a note
// that truncates to 0 counts as 2.
double NoteRate(double note)
{
    int64_t n = Truncate(note);
    if (n == 0)
        n = 2;
    return 64.0 * static_cast<double>(n);
}

// Starts every note looped; when one is missing from the bank, the notes
// already started are stopped before the error goes on, so they do not
// sound on forever with nobody left to stop them.
void StartNotes(WaveList& waves, const std::vector<double>& notes, const QStringList& names)
{
    const int volume = Settings().sndvolume;
    for (qsizetype i = 0; i < names.size(); ++i) {
        try {
            waves.SetLooped(names[i], true);
            waves.SetFrequency(names[i], NoteRate(notes[static_cast<size_t>(i)]));
            waves.SetVolume(names[i], volume);
            waves.Play(names[i]);
        } catch (...) {
            for (qsizetype j = 0; j < i; ++j) {
                try {
                    waves.Stop(names[j]);
                } catch (...) {
                }
            }
            throw;
        }
    }
}

// Processes what is pending once, then sleeps in the event loop until the
// timer or a key-down clears NotesPlaying. The main window releases its
// sound objects when it closes, stopping the timer on the way: nothing could
// end the chord after that, so the wait ends with them.
void WaitWhileNotesPlay()
{
    WaitWhile([] { return g_cues.NotesPlaying && g_cues.timer; });
}

} // namespace

SoundCueState& SoundCues() { return g_cues; }

void LoadSoundBank()
{
    if (!QFileInfo(kBankFile).isFile()) {
        ShowMessage(Str(42) + QStringLiteral(" ") + kBankFile);
        EndProcessNow();
    }
    if (g_cues.waves)
        g_cues.waves->LoadFromFile(kBankFile);
}

void PlayNotes(const std::vector<double>& notes, double duration, double set)
{
    if (!Settings().veltrasounds)
        return;
    if (set > 9)
        set = g_cues.LastNoteSet;
    if (!(duration >= 0))
        duration = g_cues.LastNoteDuration;
    const int64_t setNumber = Truncate(set);
    // A QTimer takes an int of milliseconds: about 24 days at most.
    const int ms = static_cast<int>(std::min<int64_t>(Truncate(duration), INT_MAX));
    g_cues.LastNoteSet = static_cast<uint8_t>(setNumber & 0xFF);
    g_cues.LastNoteDuration = ms;

    QTimer* timer = g_cues.timer;
    if (!timer)
        return; // nothing to time the chord with
    g_cues.NotesPlaying = true;

    QStringList names;
    for (size_t c = 1; c <= notes.size(); ++c)
        names << NoteName(static_cast<int>(c), setNumber);
    if (g_cues.waves)
        StartNotes(*g_cues.waves, notes, names);

    // A zero interval means a timer that never fires: the chord lasts until a
    // key-down ends it. (QTimer::start(0) would fire at once.) Stopping first
    // also restarts a timer that an outer chord left running.
    timer->stop();
    if (ms > 0)
        timer->start(ms);

    WaitWhileNotesPlay();

    if (g_cues.waves)
        for (const QString& name : names)
            g_cues.waves->Stop(name);
}

void PlayBeep()
{
    if (!Settings().veltrasounds || !g_cues.waves)
        return;
    const QString name = QStringLiteral("beep");
    g_cues.waves->SetVolume(name, Settings().sndvolume);
    g_cues.waves->PlayAndWait(name);
}

void PlayClick(double n)
{
    if (!Settings().veltrasounds || !g_cues.waves)
        return;
    const QString name = QStringLiteral("click") + QString::number(Truncate(n));
    g_cues.waves->SetVolume(name, Settings().sndvolume);
    g_cues.waves->PlayAndWait(name);
}

void ResetNoteMemory()
{
    g_cues.LastNoteSet = 1;
    g_cues.LastNoteDuration = 1;
}
