#pragma once
// The named waves the sound cues play: a collection loaded from the sound
// bank, each item with its looped flag, playback rate and volume. Every
// operation looks its item up afresh by exact name and raises
// "Wave '<name>' not found" when the collection has none.
//
// The program plays through MixerWaveList; tests record the calls with a fake.
#include <QString>

class WaveList {
public:
    virtual ~WaveList() = default;

    // Replaces the collection with the waves of a sound bank file.
    virtual void LoadFromFile(const QString& fileName) = 0;

    virtual void SetLooped(const QString& name, bool looped) = 0;
    // Samples per second while playing: a 64-sample period played at 64 x f
    // sounds at f Hz.
    virtual void SetFrequency(const QString& name, double samplesPerSecond) = 0;
    // Attenuation in hundredths of a decibel: 0 full volume, -10000 silence.
    virtual void SetVolume(const QString& name, int volume) = 0;
    // Starts the item from its beginning and returns at once; a looped item
    // repeats until stopped. An item already playing starts over.
    virtual void Play(const QString& name) = 0;
    // Plays the item and blocks until it has finished, processing no events
    // meanwhile; never longer than the wave's length plus a margin.
    virtual void PlayAndWait(const QString& name) = 0;
    virtual void Stop(const QString& name) = 0;
};

// Raises the error of a name the collection lacks.
[[noreturn]] void RaiseWaveNotFound(const QString& name);
