#include "tools/grimbolt-host/RiffWav.h"

#include "tools/hostkit/HostError.h"

#include <cstring>

namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kIeeeFloat = 3;
constexpr uint16_t kExtensible = 0xfffe;
constexpr uint16_t kMaxChannels = 256;

class ByteWriter {
public:
    void tag(const char (&name)[5]) { bytes_.insert(bytes_.end(), name, name + 4); }
    void u16(uint32_t value) { little(value, 2); }
    void u32(uint32_t value) { little(value, 4); }
    void f32(float value)
    {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    void little(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    std::vector<uint8_t> bytes_;
};

uint32_t readLittle(const uint8_t* p, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint32_t>(p[i]) << (8 * i);
    return value;
}

struct Format {
    uint16_t type = 0;  // kPcm or kIeeeFloat once read
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
};

// One sample of `bits` at p, as a float in -1 .. 1 for integers.
float sampleAt(const uint8_t* p, const Format& format)
{
    if (format.type == kIeeeFloat) {
        if (format.bits == 32) {
            float value;
            const uint32_t bits = readLittle(p, 4);
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        const uint64_t bits = readLittle(p, 4) | static_cast<uint64_t>(readLittle(p + 4, 4)) << 32;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return static_cast<float>(value);
    }
    switch (format.bits) {
    case 8:
        return static_cast<float>(static_cast<int>(p[0]) - 128) / 128.0f;  // 8-bit WAV is unsigned
    case 16:
        return static_cast<float>(static_cast<int16_t>(readLittle(p, 2))) / 32768.0f;
    case 24: {
        // Shifted to the top of 32 bits so that the sign comes along, then back down.
        const auto value = static_cast<int32_t>(readLittle(p, 3) << 8) / 256;
        return static_cast<float>(value) / 8388608.0f;
    }
    default:
        return static_cast<float>(static_cast<double>(static_cast<int32_t>(readLittle(p, 4))) / 2147483648.0);
    }
}

Format readFormat(const uint8_t* p, uint32_t size, const std::string& name)
{
    const auto fail
        = [&name](const std::string& why) { return HostError("cannot read " + name + ": " + why); };
    if (size < 16)
        throw fail("its format chunk is too short");
    Format format;
    format.type = static_cast<uint16_t>(readLittle(p, 2));
    format.channels = static_cast<uint16_t>(readLittle(p + 2, 2));
    format.sampleRate = readLittle(p + 4, 4);
    format.blockAlign = static_cast<uint16_t>(readLittle(p + 12, 2));
    format.bits = static_cast<uint16_t>(readLittle(p + 14, 2));
    if (format.type == kExtensible) {
        if (size < 40)
            throw fail("its extensible format chunk is too short");
        format.type = static_cast<uint16_t>(readLittle(p + 24, 2));  // the sub-format's first two bytes
    }
    const bool integer = format.type == kPcm
        && (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
    const bool floating = format.type == kIeeeFloat && (format.bits == 32 || format.bits == 64);
    if (!integer && !floating)
        throw fail("only integer PCM of 8 to 32 bits and 32- or 64-bit float samples can be read");
    if (format.channels == 0 || format.channels > kMaxChannels)
        throw fail("it has " + std::to_string(format.channels) + " channels");
    if (format.sampleRate == 0 || format.sampleRate > 0x7fffffff)
        throw fail("its sample rate is " + std::to_string(format.sampleRate));
    if (format.blockAlign != format.channels * (format.bits / 8))
        throw fail("its block size does not match its channels and sample size");
    return format;
}

}  // namespace

size_t RiffWav::maxFloatSamples()
{
    return (0xffffffffu - 4 - (8 + 18) - (8 + 4) - 8) / 4;
}

std::vector<uint8_t> RiffWav::encodeFloat(const AudioClip& clip)
{
    const auto channels = static_cast<uint32_t>(clip.channels.size());
    const auto frames = static_cast<uint32_t>(clip.frames());
    const uint32_t dataSize = frames * channels * 4;
    ByteWriter out;
    out.tag("RIFF");
    out.u32(4 + (8 + 18) + (8 + 4) + (8 + dataSize));
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(18);
    out.u16(kIeeeFloat);
    out.u16(channels);
    out.u32(static_cast<uint32_t>(clip.sampleRate));
    out.u32(static_cast<uint32_t>(clip.sampleRate) * channels * 4);
    out.u16(channels * 4);
    out.u16(32);
    out.u16(0);       // no extension
    out.tag("fact");  // non-integer formats name their frame count
    out.u32(4);
    out.u32(frames);
    out.tag("data");
    out.u32(dataSize);
    for (uint32_t n = 0; n < frames; ++n)
        for (const std::vector<float>& channel : clip.channels)
            out.f32(channel[n]);
    return std::move(out.bytes());
}

AudioClip RiffWav::decode(const uint8_t* data, size_t size, const std::string& name)
{
    const auto fail
        = [&name](const std::string& why) { return HostError("cannot read " + name + ": " + why); };
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        throw fail("it is not a WAV file");
    Format format;
    bool haveFormat = false;
    size_t position = 12;
    while (position + 8 <= size) {
        const uint8_t* chunk = data + position;
        const uint32_t chunkSize = readLittle(chunk + 4, 4);
        const size_t available = size - position - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize > available)
                throw fail("its format chunk is cut off");
            format = readFormat(chunk + 8, chunkSize, name);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                throw fail("its samples come before their format");
            // A data chunk cut off by a crashed recorder still gives the frames it holds.
            const size_t bytes = chunkSize < available ? chunkSize : available;
            const size_t frames = bytes / format.blockAlign;
            const size_t width = format.bits / 8;
            AudioClip clip;
            clip.sampleRate = static_cast<int>(format.sampleRate);
            clip.channels.assign(format.channels, std::vector<float>(frames));
            const uint8_t* p = chunk + 8;
            for (size_t n = 0; n < frames; ++n)
                for (size_t c = 0; c < format.channels; ++c, p += width)
                    clip.channels[c][n] = sampleAt(p, format);
            return clip;
        }
        // Chunks are padded to an even length; one that claims more than is left ends the file.
        const size_t padded = static_cast<size_t>(chunkSize) + (chunkSize & 1);
        if (chunkSize > available || padded > available)
            break;
        position += 8 + padded;
    }
    throw fail("it holds no samples");
}
