#pragma once
// A wave list that records every call instead of playing, and the binding of
// it (with a timer) to the sound cues for one test.
#include "speech/wave_list.h"

#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class RecordingWaveList : public WaveList {
public:
    // Every call, in order, as readable text:
    //   "load sounds.dat", "looped snd11 1", "rate snd11 128000",
    //   "volume snd11 -600", "play snd11", "wait beep", "stop snd11".
    // A call that raised "not found" is not recorded.
    QStringList calls;
    // When set, names outside it raise "Wave '<name>' not found" as the real
    // list does; when empty every name exists.
    std::optional<QStringList> knownNames;
    // Runs after each recorded call, with its text (a test can deliver events
    // or change state at a chosen moment).
    std::function<void(const QString&)> onCall;

    void LoadFromFile(const QString& fileName) override;
    void SetLooped(const QString& name, bool looped) override;
    void SetFrequency(const QString& name, double samplesPerSecond) override;
    void SetVolume(const QString& name, int volume) override;
    void Play(const QString& name) override;
    void PlayAndWait(const QString& name) override;
    void Stop(const QString& name) override;

    // Items started with Play and not stopped since, in starting order.
    QStringList sounding() const;

private:
    void record(const QString& call, const QString& name);
    QStringList m_sounding;
};

// Binds a recording wave list and a timer to the sound cues while it lives,
// then restores the unbound start state (notes forgotten, flag cleared).
// Without a timer of its own it uses one whose expiry ends the chord as the
// main window's Timer does; pass TForm1's Timer to use the real handler.
class RecordedSoundCues {
public:
    explicit RecordedSoundCues(QTimer* timer = nullptr);
    ~RecordedSoundCues();
    RecordedSoundCues(const RecordedSoundCues&) = delete;
    RecordedSoundCues& operator=(const RecordedSoundCues&) = delete;

    RecordingWaveList waves;
    QTimer& timer() { return *m_timer; }

private:
    QTimer m_ownTimer;
    QTimer* m_timer;
};
