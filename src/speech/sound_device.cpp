#include "speech/sound_device.h"

#include "shell/ui_services.h"
#include "speech/audio_mixer.h"

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const char* g_fallbackDriver = "dummy";

void PullFromMixer(void* user, Uint8* stream, int len)
{
    static_cast<AudioMixer*>(user)->Render(reinterpret_cast<float*>(stream),
                                           len / static_cast<int>(sizeof(float)));
}

// Initialises SDL's audio with the driver SDL chooses (null) or the named one
// and opens the default device; 0 when it fails, with SDL left closed.
SDL_AudioDeviceID OpenWithDriver(const char* driver, AudioMixer& mixer)
{
    if (driver)
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    const bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (driver)
        SDL_ResetHint(SDL_HINT_AUDIODRIVER); // a later Open tries the real device again
    if (!initialised)
        return 0;
    SDL_AudioSpec want{};
    want.freq = SoundDevice::kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 1;
    want.samples = SoundDevice::kFrames;
    want.callback = PullFromMixer;
    want.userdata = &mixer;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return id;
}

} // namespace

struct SoundDevice::Impl {
    explicit Impl(AudioMixer& m) : mixer(m) {}

    AudioMixer& mixer;
    SDL_AudioDeviceID device = 0;
    QString driver;
    int hook = 0;

    // The own real-time clock when SDL has no driver at all.
    std::thread clock;
    std::mutex clockLock;
    std::condition_variable clockWake;
    bool clockStop = false;

    void runClock()
    {
        std::vector<float> buffer(kFrames);
        const auto period = std::chrono::microseconds(1000000LL * kFrames / kRate);
        auto next = std::chrono::steady_clock::now();
        std::unique_lock<std::mutex> g(clockLock);
        while (!clockStop) {
            g.unlock();
            mixer.Render(buffer.data(), kFrames);
            g.lock();
            next += period;
            clockWake.wait_until(g, next, [this] { return clockStop; });
        }
    }
};

SoundDevice::SoundDevice(AudioMixer& mixer) : d(std::make_unique<Impl>(mixer)) {}

SoundDevice::~SoundDevice() { Close(); }

void SoundDevice::Open()
{
    if (IsOpen())
        return;
    // SDL would otherwise take over Ctrl+C and the termination signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    d->device = OpenWithDriver(nullptr, d->mixer);
    if (d->device == 0) {
        std::fprintf(stderr, "veltrabasic: no sound device could be opened (%s); "
                             "sound cues and speech play silently through SDL's dummy driver\n",
                     SDL_GetError());
        d->device = OpenWithDriver(g_fallbackDriver, d->mixer);
    }
    if (d->device != 0) {
        const char* name = SDL_GetCurrentAudioDriver();
        d->driver = QString::fromLatin1(name ? name : "");
        SDL_PauseAudioDevice(d->device, 0);
    } else {
        std::fprintf(stderr, "veltrabasic: SDL's dummy audio driver failed too (%s); "
                             "audio is timed by the program's own clock\n",
                     SDL_GetError());
        d->driver = QStringLiteral("clock");
        d->clockStop = false;
        d->clock = std::thread([this] { d->runClock(); });
    }
    d->hook = AddShutdownHook([this] { Close(); });
}

void SoundDevice::Close()
{
    if (!IsOpen())
        return;
    if (d->hook) {
        RemoveShutdownHook(d->hook);
        d->hook = 0;
    }
    if (d->device != 0) {
        SDL_CloseAudioDevice(d->device); // waits for a callback in progress
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        d->device = 0;
    }
    if (d->clock.joinable()) {
        {
            std::lock_guard<std::mutex> g(d->clockLock);
            d->clockStop = true;
        }
        d->clockWake.notify_all();
        d->clock.join();
    }
    d->driver.clear();
}

bool SoundDevice::IsOpen() const { return d->device != 0 || d->clock.joinable(); }

QString SoundDevice::DriverName() const { return d->driver; }

void SoundDevice::SetFallbackDriverForTesting(const char* driver)
{
    g_fallbackDriver = driver ? driver : "dummy";
}
