#include "testsupport/recording_wave_list.h"

#include "speech/sound_cues.h"

void RecordingWaveList::record(const QString& call, const QString& name)
{
    if (knownNames && !knownNames->contains(name))
        RaiseWaveNotFound(name);
    calls << call;
    if (onCall)
        onCall(call);
}

void RecordingWaveList::LoadFromFile(const QString& fileName)
{
    calls << QStringLiteral("load ") + fileName;
    if (onCall)
        onCall(calls.last());
}

void RecordingWaveList::SetLooped(const QString& name, bool looped)
{
    record(QStringLiteral("looped %1 %2").arg(name).arg(looped ? 1 : 0), name);
}

void RecordingWaveList::SetFrequency(const QString& name, double samplesPerSecond)
{
    record(QStringLiteral("rate %1 %2").arg(name, QString::number(samplesPerSecond, 'g', 17)),
           name);
}

void RecordingWaveList::SetVolume(const QString& name, int volume)
{
    record(QStringLiteral("volume %1 %2").arg(name).arg(volume), name);
}

void RecordingWaveList::Play(const QString& name)
{
    if (knownNames && !knownNames->contains(name))
        RaiseWaveNotFound(name);
    m_sounding.removeAll(name);
    m_sounding << name;
    record(QStringLiteral("play ") + name, name);
}

void RecordingWaveList::PlayAndWait(const QString& name)
{
    record(QStringLiteral("wait ") + name, name);
}

void RecordingWaveList::Stop(const QString& name)
{
    if (knownNames && !knownNames->contains(name))
        RaiseWaveNotFound(name);
    m_sounding.removeAll(name);
    record(QStringLiteral("stop ") + name, name);
}

QStringList RecordingWaveList::sounding() const { return m_sounding; }

RecordedSoundCues::RecordedSoundCues(QTimer* timer) : m_timer(timer ? timer : &m_ownTimer)
{
    if (!timer)
        QObject::connect(&m_ownTimer, &QTimer::timeout, [this] {
            SoundCues().NotesPlaying = false;
            m_ownTimer.stop();
        });
    SoundCues() = SoundCueState();
    SoundCues().waves = &waves;
    SoundCues().timer = m_timer;
}

RecordedSoundCues::~RecordedSoundCues()
{
    m_timer->stop();
    SoundCues() = SoundCueState();
}
