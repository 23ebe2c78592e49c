#include "speech/sound_device.h"

#include "speech/audio_mixer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <chrono>
#include <thread>

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name))
    {
        m_had = qEnvironmentVariableIsSet(name);
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had = false;
};

// The device pulls from the mixer on its own thread: wait (bounded) until it
// has rendered more than `frames`.
bool RendersPast(const AudioMixer& mixer, uint64_t frames)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < until) {
        if (mixer.FramesRendered() > frames)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

} // namespace

struct DriverCase {
    const char* name;
    const char* requested;
    const char* fallback; // nullptr: SDL's dummy driver
    const char* expected;
};

class DeviceDriver : public ::testing::TestWithParam<DriverCase> {};

TEST_P(DeviceDriver, OpensAndPullsFromTheMixerUntilClosed)
{
    const DriverCase& c = GetParam();
    // SDL keeps the driver it initialised while any other device is open.
    if (c.fallback && SDL_WasInit(SDL_INIT_AUDIO))
        GTEST_SKIP() << "another audio device of this process holds SDL's driver";
    ScopedEnv driver("SDL_AUDIODRIVER", c.requested);
    SoundDevice::SetFallbackDriverForTesting(c.fallback);
    struct RestoreFallback {
        ~RestoreFallback() { SoundDevice::SetFallbackDriverForTesting(nullptr); }
    } restore;
    AudioMixer mixer(SoundDevice::kRate);
    {
        SoundDevice device(mixer);
        device.Open();
        ASSERT_TRUE(device.IsOpen());
        EXPECT_EQ(device.DriverName(), QString::fromLatin1(c.expected));
        EXPECT_TRUE(RendersPast(mixer, 4 * SoundDevice::kFrames));

        device.Close();
        EXPECT_FALSE(device.IsOpen());
        EXPECT_TRUE(device.DriverName().isEmpty());
        const uint64_t atClose = mixer.FramesRendered();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(mixer.FramesRendered(), atClose);

        // It opens again after a close.
        device.Open();
        EXPECT_TRUE(device.IsOpen());
    }
    // Destroying the device closed it: the mixer is no longer pulled.
    const uint64_t atEnd = mixer.FramesRendered();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(mixer.FramesRendered(), atEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, DeviceDriver,
    ::testing::Values(DriverCase{"Dummy", "dummy", nullptr, "dummy"},
                      // A driver that cannot open falls back to the dummy one.
                      DriverCase{"UnknownDriverFallsBackToDummy", "no-such-driver", nullptr,
                                 "dummy"},
                      // With no driver at all the device renders on its own clock.
                      DriverCase{"NoDriverAtAllRunsTheOwnClock", "no-such-driver",
                                 "no-such-fallback", "clock"}),
    [](const auto& info) { return std::string(info.param.name); });
