#pragma once
// The wave list of the program: items from the sound bank, played as voices
// of the audio mixer.
#include "speech/wave_list.h"

#include <chrono>
#include <memory>
#include <vector>

class AudioMixer;
struct WaveData;

class MixerWaveList : public WaveList {
public:
    explicit MixerWaveList(AudioMixer& mixer);
    ~MixerWaveList() override; // stops every item still playing

    // Raises FileError when the file cannot be read and VeltraError naming
    // the file and the fault when it is not a valid sound bank; the old
    // collection then stays.
    void LoadFromFile(const QString& fileName) override;
    void SetLooped(const QString& name, bool looped) override;
    void SetFrequency(const QString& name, double samplesPerSecond) override;
    void SetVolume(const QString& name, int volume) override;
    void Play(const QString& name) override;
    void PlayAndWait(const QString& name) override;
    void Stop(const QString& name) override;

    // The names in collection order.
    QStringList Names() const;
    // How long PlayAndWait may block for the item as it is set now.
    std::chrono::milliseconds WaitBound(const QString& name);

    // Added to a wave's length when waiting, so that a device that runs a
    // little slow still finishes the wave.
    static constexpr std::chrono::milliseconds kWaitMargin{500};

private:
    struct Item {
        QString name;
        std::shared_ptr<const WaveData> wave;
        bool looped = false;
        double rate = 0;
        int volume = 0;
        int voice = 0; // the mixer voice of the last Play
    };
    Item& Find(const QString& name);
    // Starts the item from its beginning; a voice it still has is stopped.
    void Start(Item& item);
    static std::chrono::milliseconds BoundOf(const Item& item);
    void StopAll();

    AudioMixer& m_mixer;
    std::vector<Item> m_items;
};
