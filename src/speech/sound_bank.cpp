#include "speech/sound_bank.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace soundbank {

namespace {

// Name length, name of one byte, rate, format, reserved, count, one 16-bit sample.
constexpr size_t kMinRecordSize = 2 + 1 + 4 + 2 + 2 + 4 + 2;

size_t BytesPerSample(SampleFormat f) { return f == SampleFormat::Pcm16 ? 2 : 4; }

bool KnownFormat(uint16_t f)
{
    return f == static_cast<uint16_t>(SampleFormat::Pcm16) ||
           f == static_cast<uint16_t>(SampleFormat::Float32);
}

bool PrintableName(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x21 && c <= 0x7E;
    });
}

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

// Reads little-endian values from a byte range; the caller has checked the length.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t remaining() const { return m_size - m_pos; }
    size_t position() const { return m_pos; }
    uint16_t u16()
    {
        uint16_t v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    uint32_t u32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(m_data[m_pos + i]) << (8 * i);
        m_pos += 4;
        return v;
    }
    std::string bytes(size_t n)
    {
        std::string s(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return s;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void ReadSamples(Reader& r, Wave& w, uint32_t count)
{
    w.samples.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (w.format == SampleFormat::Pcm16) {
            w.samples[i] = static_cast<float>(static_cast<int16_t>(r.u16())) / 32768.0f;
            continue;
        }
        const uint32_t bits = r.u32();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            throw FormatError("wave " + Quoted(w.name) + " holds a sample that is not a number");
        w.samples[i] = std::clamp(v, -1.0f, 1.0f);
    }
}

Wave ReadWave(Reader& r, uint32_t index)
{
    const std::string which = "wave " + std::to_string(index + 1);
    if (r.remaining() < 2)
        throw FormatError(which + " is missing: the file ends before it");
    const uint16_t nameLength = r.u16();
    if (nameLength == 0 || nameLength > kMaxNameLength)
        throw FormatError(which + " has a name length of " + std::to_string(nameLength) +
                          " (1 to 255 allowed)");
    if (r.remaining() < nameLength)
        throw FormatError(which + ": its name runs past the end of the file");
    Wave w;
    w.name = r.bytes(nameLength);
    if (!PrintableName(w.name))
        throw FormatError(which + ": its name holds a character that is not printable ASCII");
    const std::string named = "wave " + Quoted(w.name);
    if (r.remaining() < 12)
        throw FormatError(named + ": its description runs past the end of the file");
    w.sampleRate = r.u32();
    const uint16_t format = r.u16();
    r.u16(); // reserved
    const uint32_t count = r.u32();
    if (w.sampleRate < kMinSampleRate || w.sampleRate > kMaxSampleRate)
        throw FormatError(named + ": sample rate " + std::to_string(w.sampleRate) +
                          " is out of range");
    if (!KnownFormat(format))
        throw FormatError(named + ": unknown sample format " + std::to_string(format));
    w.format = static_cast<SampleFormat>(format);
    if (count == 0)
        throw FormatError(named + " has no samples");
    const uint64_t bytes = static_cast<uint64_t>(count) * BytesPerSample(w.format);
    if (bytes > r.remaining())
        throw FormatError(named + ": its " + std::to_string(count) +
                          " samples run past the end of the file");
    ReadSamples(r, w, count);
    return w;
}

} // namespace

std::vector<uint8_t> Encode(const std::vector<Wave>& waves)
{
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    Put16(out, kVersion);
    Put16(out, 0);
    Put32(out, static_cast<uint32_t>(waves.size()));
    for (const Wave& w : waves) {
        if (w.name.empty() || w.name.size() > kMaxNameLength || !PrintableName(w.name))
            throw FormatError("wave " + Quoted(w.name) + ": the name cannot be stored");
        if (w.sampleRate < kMinSampleRate || w.sampleRate > kMaxSampleRate)
            throw FormatError("wave " + Quoted(w.name) + ": sample rate out of range");
        if (w.samples.empty())
            throw FormatError("wave " + Quoted(w.name) + " has no samples");
        Put16(out, static_cast<uint16_t>(w.name.size()));
        out.insert(out.end(), w.name.begin(), w.name.end());
        Put32(out, w.sampleRate);
        Put16(out, static_cast<uint16_t>(w.format));
        Put16(out, 0);
        Put32(out, static_cast<uint32_t>(w.samples.size()));
        for (float s : w.samples) {
            const float v = std::clamp(s, -1.0f, 1.0f);
            if (w.format == SampleFormat::Pcm16) {
                Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0f))));
            } else {
                uint32_t bits;
                std::memcpy(&bits, &v, sizeof bits);
                Put32(out, bits);
            }
        }
    }
    return out;
}

std::vector<Wave> Decode(const uint8_t* data, size_t size)
{
    if (size > kMaxFileSize)
        throw FormatError("the file is larger than a sound bank can be (" + std::to_string(size) +
                          " bytes)");
    if (size < kHeaderSize)
        throw FormatError("the header is truncated (" + std::to_string(size) + " of " +
                          std::to_string(kHeaderSize) + " bytes)");
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0)
        throw FormatError("it is not a sound bank (the file does not start with VLTSNDBK)");
    Reader r(data + sizeof kMagic, size - sizeof kMagic);
    const uint16_t version = r.u16();
    if (version != kVersion)
        throw FormatError("version " + std::to_string(version) + " is not supported (expected " +
                          std::to_string(kVersion) + ")");
    r.u16(); // reserved
    const uint32_t count = r.u32();
    const size_t room = (size - kHeaderSize) / kMinRecordSize;
    if (count > room)
        throw FormatError("the header announces " + std::to_string(count) +
                          " waves, but the file can hold at most " + std::to_string(room));
    std::vector<Wave> waves;
    waves.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        waves.push_back(ReadWave(r, i));
    if (r.remaining() != 0)
        throw FormatError(std::to_string(r.remaining()) + " bytes follow the last wave");
    return waves;
}

} // namespace soundbank
