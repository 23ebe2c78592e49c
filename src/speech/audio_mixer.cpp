#include "speech/audio_mixer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <mutex>

// How the rendering thread stays clear of allocation and long locks:
// - Speech arrives as heap chunks that the producer allocates before taking
//   the lock. Render moves newly queued chunks into a list it owns (a pointer
//   splice under the lock), reads them without the lock, and hands finished
//   chunks back the same way; producers free them on their next call.
// - Wave voices live in a fixed table. Render copies the few numbers of each
//   playing voice under the lock, mixes without it, and writes the positions
//   back. A voice's wave stays owned by its slot until a later PlayWave reuses
//   a slot that no render is reading, so Render never drops the last reference.

namespace {

constexpr int kVoiceSlots = 64;
// Markers passed in one period; more wait for the next period.
constexpr int kMarkersPerRender = 64;

struct SpeechChunk {
    std::vector<int16_t> samples;
    int sampleRate = 0;
    bool isMarker = false;
    uint64_t markerId = 0;
    SpeechChunk* next = nullptr;
};

// A singly linked list of chunks with O(1) append and splice.
struct ChunkList {
    SpeechChunk* head = nullptr;
    SpeechChunk* tail = nullptr;

    bool empty() const { return head == nullptr; }
    void push(SpeechChunk* c)
    {
        c->next = nullptr;
        if (tail)
            tail->next = c;
        else
            head = c;
        tail = c;
    }
    SpeechChunk* pop()
    {
        SpeechChunk* c = head;
        head = c->next;
        if (!head)
            tail = nullptr;
        c->next = nullptr;
        return c;
    }
    void splice(ChunkList& other)
    {
        if (other.empty())
            return;
        if (tail)
            tail->next = other.head;
        else
            head = other.head;
        tail = other.tail;
        other.head = other.tail = nullptr;
    }
    void freeAll()
    {
        while (head)
            delete pop();
    }
};

struct VoiceSlot {
    int id = 0;
    bool playing = false;
    // Set while a render reads this slot's wave outside the lock.
    bool inRender = false;
    std::shared_ptr<const WaveData> wave;
    double step = 0; // wave samples per output frame
    float gain = 1;
    bool looped = false;
    double position = 0;
};

// What Render needs of a voice, copied under the lock.
struct VoiceWork {
    int slot = 0;
    int id = 0;
    const float* data = nullptr;
    size_t length = 0;
    double step = 0;
    float gain = 0;
    bool looped = false;
    double position = 0;
    bool finished = false;
};

// Mixes one voice into out; returns false when a one-shot voice has ended.
void MixVoice(VoiceWork& w, float* out, int frames)
{
    if (!(w.step > 0) || w.length == 0) {
        // A rate that is not positive cannot advance: a one-shot ends at
        // once, a looped voice stays silent until stopped.
        w.finished = !w.looped;
        return;
    }
    const double n = static_cast<double>(w.length);
    for (int k = 0; k < frames; ++k) {
        if (w.position >= n) {
            if (!w.looped) {
                w.finished = true;
                return;
            }
            w.position = std::fmod(w.position, n);
        }
        const size_t i = static_cast<size_t>(w.position);
        const float f = static_cast<float>(w.position - static_cast<double>(i));
        const float a = w.data[i];
        const float b = i + 1 < w.length ? w.data[i + 1] : (w.looped ? w.data[0] : 0.0f);
        out[k] += w.gain * (a + (b - a) * f);
        w.position += w.step;
    }
    if (!w.looped && w.position >= n)
        w.finished = true;
}

} // namespace

struct AudioMixer::Impl {
    explicit Impl(int rate) : outputRate(rate) {}

    const int outputRate;
    std::atomic<uint64_t> framesRendered{0};
    // Render is meant for one device thread; should two outputs ever pull at
    // once, they take turns instead of racing on the render-owned state.
    std::mutex renderLock;

    mutable std::mutex lock;
    mutable std::condition_variable voiceEnded;

    // --- shared state, under lock
    ChunkList pendingSpeech; // queued since the last render
    ChunkList retiredSpeech; // played or dropped, to be freed by a producer
    bool clearRequested = false;
    bool speechBusy = false; // the render-owned queue still holds speech
    uint64_t speechGeneration = 0;
    std::array<VoiceSlot, kVoiceSlots> slots;
    int nextVoiceId = 1;

    // Read by the rendering thread before each marker callback.
    std::atomic<uint64_t> currentGeneration{0};
    std::mutex callbackLock;
    std::function<void(uint64_t)> markerCallback;

    // --- owned by the rendering thread
    ChunkList speech;
    size_t speechIndex = 0; // next unread sample of speech.head
    bool haveCurrent = false;
    float current = 0;      // the sample being interpolated from
    double fraction = 0;    // position between current and the next sample
    double speechStep = 0;  // input samples per output frame
    std::array<uint64_t, kMarkersPerRender> markers{};
    int markerCount = 0;
    std::array<VoiceWork, kVoiceSlots> work;
    int workCount = 0;

    void freeRetired()
    {
        ChunkList old;
        {
            std::lock_guard<std::mutex> g(lock);
            old.splice(retiredSpeech);
        }
        old.freeAll();
    }

    // Moves the head chunk to the retired list.
    void retireHead(ChunkList& retired)
    {
        retired.push(speech.pop());
        speechIndex = 0;
    }

    // Loads the next sample of the queue into `current`, passing markers on
    // the way. False when the queue has no sample ready (or the marker
    // buffer of this period is full).
    bool loadNext(ChunkList& retired)
    {
        while (!speech.empty()) {
            SpeechChunk* c = speech.head;
            if (c->isMarker) {
                if (markerCount == kMarkersPerRender)
                    return false;
                markers[markerCount++] = c->markerId;
                retireHead(retired);
                continue;
            }
            current = static_cast<float>(c->samples[speechIndex]) / 32768.0f;
            speechStep = static_cast<double>(c->sampleRate) / outputRate;
            if (++speechIndex == c->samples.size())
                retireHead(retired);
            return true;
        }
        return false;
    }

    float peekNext() const
    {
        const SpeechChunk* c = speech.head;
        if (!c || c->isMarker)
            return 0.0f; // the utterance ends here: fade toward silence
        return static_cast<float>(c->samples[speechIndex]) / 32768.0f;
    }

    // Adds the resampled speech (linear interpolation) to out.
    void mixSpeech(float* out, int frames, ChunkList& retired)
    {
        for (int k = 0; k < frames; ++k) {
            if (!haveCurrent) {
                haveCurrent = loadNext(retired);
                fraction = 0;
                if (!haveCurrent)
                    return;
            }
            const float next = peekNext();
            out[k] += current + (next - current) * static_cast<float>(fraction);
            fraction += speechStep;
            while (fraction >= 1.0) {
                fraction -= 1.0;
                const SpeechChunk* c = speech.head;
                if (!c || c->isMarker) {
                    haveCurrent = false;
                    break;
                }
                haveCurrent = loadNext(retired);
            }
        }
        // Markers right after the last sample pass in the same period.
        if (!haveCurrent && !speech.empty() && speech.head->isMarker) {
            haveCurrent = loadNext(retired);
            fraction = 0;
        }
    }
};

AudioMixer::AudioMixer(int outputRate) : d(std::make_unique<Impl>(outputRate > 0 ? outputRate : kDefaultRate)) {}

AudioMixer::~AudioMixer()
{
    d->pendingSpeech.freeAll();
    d->retiredSpeech.freeAll();
    d->speech.freeAll();
}

int AudioMixer::outputRate() const { return d->outputRate; }

uint64_t AudioMixer::FramesRendered() const { return d->framesRendered.load(); }

float AudioMixer::GainForAttenuation(int volume)
{
    if (volume <= -10000)
        return 0.0f;
    if (volume >= 0)
        return 1.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

void AudioMixer::Render(float* out, int frames)
{
    if (frames <= 0)
        return;
    std::fill(out, out + frames, 0.0f);
    Impl& m = *d;
    std::lock_guard<std::mutex> turn(m.renderLock);
    uint64_t generation;
    ChunkList retired;
    {
        std::lock_guard<std::mutex> g(m.lock);
        if (m.clearRequested) {
            retired.splice(m.speech);
            m.speechIndex = 0;
            m.haveCurrent = false;
            m.clearRequested = false;
        }
        m.speech.splice(m.pendingSpeech);
        generation = m.speechGeneration;
        m.workCount = 0;
        for (int i = 0; i < kVoiceSlots; ++i) {
            VoiceSlot& s = m.slots[i];
            if (!s.playing)
                continue;
            s.inRender = true;
            VoiceWork& w = m.work[m.workCount++];
            w.slot = i;
            w.id = s.id;
            w.data = s.wave->samples.data();
            w.length = s.wave->samples.size();
            w.step = s.step;
            w.gain = s.gain;
            w.looped = s.looped;
            w.position = s.position;
            w.finished = false;
        }
    }

    m.markerCount = 0;
    m.mixSpeech(out, frames, retired);
    for (int i = 0; i < m.workCount; ++i)
        MixVoice(m.work[i], out, frames);
    for (int k = 0; k < frames; ++k)
        out[k] = std::clamp(out[k], -1.0f, 1.0f);

    bool anyEnded = false;
    {
        std::lock_guard<std::mutex> g(m.lock);
        for (int i = 0; i < m.workCount; ++i) {
            const VoiceWork& w = m.work[i];
            VoiceSlot& s = m.slots[w.slot];
            s.inRender = false;
            if (s.id != w.id || !s.playing)
                continue; // stopped or replaced meanwhile
            s.position = w.position;
            if (w.finished) {
                s.playing = false;
                anyEnded = true;
            }
        }
        m.retiredSpeech.splice(retired);
        m.speechBusy = !m.speech.empty() || m.haveCurrent;
    }
    m.framesRendered.fetch_add(static_cast<uint64_t>(frames));
    if (anyEnded)
        m.voiceEnded.notify_all();

    for (int i = 0; i < m.markerCount; ++i) {
        std::lock_guard<std::mutex> g(m.callbackLock);
        // A ClearSpeech since this period was rendered drops its markers.
        if (m.currentGeneration.load() != generation)
            break;
        if (m.markerCallback)
            m.markerCallback(m.markers[i]);
    }
}

void AudioMixer::QueueSpeech(const int16_t* samples, size_t count, int sampleRate)
{
    d->freeRetired();
    if (count == 0 || !samples || sampleRate <= 0)
        return;
    auto* c = new SpeechChunk;
    c->samples.assign(samples, samples + count);
    c->sampleRate = sampleRate;
    std::lock_guard<std::mutex> g(d->lock);
    d->pendingSpeech.push(c);
}

void AudioMixer::QueueSpeechMarker(uint64_t id)
{
    d->freeRetired();
    auto* c = new SpeechChunk;
    c->isMarker = true;
    c->markerId = id;
    std::lock_guard<std::mutex> g(d->lock);
    d->pendingSpeech.push(c);
}

void AudioMixer::SetSpeechMarkerCallback(std::function<void(uint64_t)> callback)
{
    std::lock_guard<std::mutex> g(d->callbackLock);
    d->markerCallback = std::move(callback);
}

void AudioMixer::ClearSpeech()
{
    {
        std::lock_guard<std::mutex> g(d->lock);
        d->retiredSpeech.splice(d->pendingSpeech);
        d->clearRequested = true;
        d->speechGeneration++;
        d->currentGeneration.store(d->speechGeneration);
    }
    d->freeRetired();
}

bool AudioMixer::SpeechPending() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return !d->pendingSpeech.empty() || (!d->clearRequested && d->speechBusy);
}

int AudioMixer::PlayWave(std::shared_ptr<const WaveData> wave, double playbackRate, int volume,
                         bool looped)
{
    std::shared_ptr<const WaveData> released;
    std::lock_guard<std::mutex> g(d->lock);
    const int id = d->nextVoiceId;
    d->nextVoiceId = id == INT_MAX ? 1 : id + 1; // ids stay positive, without overflow
    if (!wave || wave->samples.empty())
        return id; // nothing to play: the voice has already ended
    // A free slot no render is reading; else the oldest playing voice gives way.
    VoiceSlot* slot = nullptr;
    for (VoiceSlot& s : d->slots)
        if (!s.playing && !s.inRender) {
            slot = &s;
            break;
        }
    if (!slot)
        for (VoiceSlot& s : d->slots)
            if (!s.inRender && (!slot || s.id < slot->id))
                slot = &s;
    if (!slot)
        return id;
    released = std::move(slot->wave); // freed after the lock is let go
    slot->wave = std::move(wave);
    slot->id = id;
    slot->playing = true;
    slot->step = playbackRate / d->outputRate;
    slot->gain = GainForAttenuation(volume);
    slot->looped = looped;
    slot->position = 0;
    return id;
}

namespace {
VoiceSlot* FindPlaying(std::array<VoiceSlot, kVoiceSlots>& slots, int voice)
{
    for (VoiceSlot& s : slots)
        if (s.playing && s.id == voice)
            return &s;
    return nullptr;
}
} // namespace

void AudioMixer::StopVoice(int voice)
{
    {
        std::lock_guard<std::mutex> g(d->lock);
        if (VoiceSlot* s = FindPlaying(d->slots, voice))
            s->playing = false;
    }
    d->voiceEnded.notify_all();
}

bool AudioMixer::VoicePlaying(int voice) const
{
    std::lock_guard<std::mutex> g(d->lock);
    return FindPlaying(d->slots, voice) != nullptr;
}

void AudioMixer::SetVoiceRate(int voice, double playbackRate)
{
    std::lock_guard<std::mutex> g(d->lock);
    if (VoiceSlot* s = FindPlaying(d->slots, voice))
        s->step = playbackRate / d->outputRate;
}

void AudioMixer::SetVoiceVolume(int voice, int volume)
{
    std::lock_guard<std::mutex> g(d->lock);
    if (VoiceSlot* s = FindPlaying(d->slots, voice))
        s->gain = GainForAttenuation(volume);
}

bool AudioMixer::WaitVoice(int voice, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> g(d->lock);
    return d->voiceEnded.wait_for(g, timeout, [&] { return FindPlaying(d->slots, voice) == nullptr; });
}

AudioMixer& Audio()
{
    // Never destroyed: an audio thread or a speech worker may still reach it
    // while static destructors run at the end of the process.
    static AudioMixer* mixer = new AudioMixer;
    return *mixer;
}
