#pragma once
// The audio device: SDL's audio subsystem pulling 48 kHz float mono frames
// from a mixer in its callback, 256 frames at a time.
//
// Machines without a sound card still need audio that advances in real time
// (speech waits for the end of its audio): when no device opens, the device
// retries with SDL's "dummy" driver, and if even that fails it says so on
// standard error and renders on a thread of its own at the same pace.
#include <QString>
#include <memory>

class AudioMixer;

class SoundDevice {
public:
    static constexpr int kRate = 48000;
    static constexpr int kFrames = 256;

    explicit SoundDevice(AudioMixer& mixer);
    ~SoundDevice(); // closes the device
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Opens the output; a device already open stays as it is. Registers a
    // shutdown hook that closes it when the process ends at once.
    void Open();
    // Stops the callback and releases SDL's audio subsystem; idempotent.
    void Close();
    bool IsOpen() const;
    // "alsa", "pulseaudio", "dummy", ... ; "clock" for the own real-time
    // thread; empty while closed.
    QString DriverName() const;

    // The driver tried when the system's device does not open ("dummy");
    // tests name one that does not exist to reach the own clock.
    static void SetFallbackDriverForTesting(const char* driver);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
