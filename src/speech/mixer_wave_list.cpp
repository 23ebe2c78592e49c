#include "speech/mixer_wave_list.h"

#include "shell/errors.h"
#include "speech/audio_mixer.h"
#include "speech/sound_bank.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

void RaiseWaveNotFound(const QString& name)
{
    throw VeltraError(QStringLiteral("Wave '%1' not found").arg(name));
}

namespace {

// The whole file, read with the C library so that failures carry errno.
std::vector<uint8_t> ReadBankFile(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    FILE* f = std::fopen(path.constData(), "rb");
    if (!f)
        RaiseFileErrorFromErrno(errno);
    std::vector<uint8_t> bytes;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        size = std::ftell(f);
    if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        const int err = errno;
        std::fclose(f);
        RaiseFileErrorFromErrno(err);
    }
    if (static_cast<uint64_t>(size) > soundbank::kMaxFileSize) {
        std::fclose(f);
        throw soundbank::FormatError("the file is larger than a sound bank can be (" +
                                     std::to_string(size) + " bytes)");
    }
    bytes.resize(static_cast<size_t>(size));
    const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
    const int err = errno;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        RaiseFileErrorFromErrno(err);
    bytes.resize(got); // a file that shrank meanwhile reads as truncated
    return bytes;
}

} // namespace

MixerWaveList::MixerWaveList(AudioMixer& mixer) : m_mixer(mixer) {}

MixerWaveList::~MixerWaveList() { StopAll(); }

void MixerWaveList::StopAll()
{
    for (Item& item : m_items)
        if (item.voice) {
            m_mixer.StopVoice(item.voice);
            item.voice = 0;
        }
}

void MixerWaveList::LoadFromFile(const QString& fileName)
{
    std::vector<soundbank::Wave> waves;
    try {
        const std::vector<uint8_t> bytes = ReadBankFile(fileName);
        waves = soundbank::Decode(bytes.data(), bytes.size());
    } catch (const soundbank::FormatError& e) {
        throw VeltraError(QStringLiteral("The sound bank %1 is damaged: %2.")
                              .arg(QFileInfo(fileName).fileName(), QString::fromUtf8(e.what())));
    }
    std::vector<Item> items;
    items.reserve(waves.size());
    for (soundbank::Wave& w : waves) {
        auto data = std::make_shared<WaveData>();
        data->samples = std::move(w.samples);
        data->sampleRate = static_cast<int>(w.sampleRate);
        Item item;
        item.name = QString::fromLatin1(w.name.data(), static_cast<qsizetype>(w.name.size()));
        item.rate = w.sampleRate;
        item.wave = std::move(data);
        items.push_back(std::move(item));
    }
    StopAll();
    m_items = std::move(items);
}

MixerWaveList::Item& MixerWaveList::Find(const QString& name)
{
    for (Item& item : m_items)
        if (item.name == name)
            return item;
    RaiseWaveNotFound(name);
}

void MixerWaveList::SetLooped(const QString& name, bool looped) { Find(name).looped = looped; }

void MixerWaveList::SetFrequency(const QString& name, double samplesPerSecond)
{
    Item& item = Find(name);
    item.rate = samplesPerSecond;
    if (item.voice)
        m_mixer.SetVoiceRate(item.voice, samplesPerSecond);
}

void MixerWaveList::SetVolume(const QString& name, int volume)
{
    Item& item = Find(name);
    item.volume = volume;
    if (item.voice)
        m_mixer.SetVoiceVolume(item.voice, volume);
}

void MixerWaveList::Play(const QString& name) { Start(Find(name)); }

void MixerWaveList::Start(Item& item)
{
    if (item.voice)
        m_mixer.StopVoice(item.voice);
    item.voice = m_mixer.PlayWave(item.wave, item.rate, item.volume, item.looped);
}

std::chrono::milliseconds MixerWaveList::WaitBound(const QString& name)
{
    return BoundOf(Find(name));
}

std::chrono::milliseconds MixerWaveList::BoundOf(const Item& item)
{
    double seconds = 0;
    if (item.rate > 0)
        seconds = static_cast<double>(item.wave->samples.size()) / item.rate;
    // A wave stretched to minutes by a tiny rate still must not freeze the program.
    seconds = std::min(seconds, 60.0);
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000) + 1) + kWaitMargin;
}

void MixerWaveList::PlayAndWait(const QString& name)
{
    Item& item = Find(name);
    const std::chrono::milliseconds bound = BoundOf(item);
    Start(item);
    // A stalled device (or a looped item) must not hold the program forever:
    // past the bound the item is stopped.
    if (!m_mixer.WaitVoice(item.voice, bound))
        m_mixer.StopVoice(item.voice);
    item.voice = 0;
}

void MixerWaveList::Stop(const QString& name)
{
    Item& item = Find(name);
    if (item.voice) {
        m_mixer.StopVoice(item.voice);
        item.voice = 0;
    }
}

QStringList MixerWaveList::Names() const
{
    QStringList names;
    for (const Item& item : m_items)
        names << item.name;
    return names;
}
