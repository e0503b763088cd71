#include "tools/grimbolt-host/RiffWav.h"
#include "tools/hostkit/HostError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A WAV file assembled chunk by chunk, for shapes our writer never makes.
class WavBytes {
public:
    WavBytes& chunk(const char* tag, const std::vector<uint8_t>& body, uint32_t claimedSize = 0)
    {
        bytes_.insert(bytes_.end(), tag, tag + 4);
        u32(claimedSize ? claimedSize : static_cast<uint32_t>(body.size()));
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        if (body.size() % 2 == 1)
            bytes_.push_back(0);
        return *this;
    }
    std::vector<uint8_t> file() const
    {
        std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
        out.insert(out.end(), bytes_.begin(), bytes_.end());
        return out;
    }

private:
    void u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> format(uint16_t type, uint16_t channels, uint16_t bits, bool extensible = false)
{
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    const uint32_t rate = 44100, bytesPerSecond = rate * align;
    std::vector<uint8_t> f
        = {static_cast<uint8_t>(extensible ? 0xfe : type), static_cast<uint8_t>(extensible ? 0xff : 0),
            static_cast<uint8_t>(channels), 0, 0x44, 0xac, 0, 0, static_cast<uint8_t>(bytesPerSecond),
            static_cast<uint8_t>(bytesPerSecond >> 8), static_cast<uint8_t>(bytesPerSecond >> 16), 0,
            static_cast<uint8_t>(align), 0, static_cast<uint8_t>(bits), 0};
    if (extensible) {
        f.insert(f.end(), {22, 0, static_cast<uint8_t>(bits), 0, 3, 0, 0, 0});
        f.insert(f.end(), {static_cast<uint8_t>(type), 0});
        f.resize(40, 0x11);  // the rest of the sub-format's GUID
    }
    return f;
}

// Samples as their bytes in memory, little-endian on every machine we test on.
template <typename T> std::vector<uint8_t> bytesOf(std::initializer_list<T> samples)
{
    std::vector<uint8_t> bytes(samples.size() * sizeof(T));
    std::memcpy(bytes.data(), samples.begin(), bytes.size());
    return bytes;
}

AudioClip decode(const std::vector<uint8_t>& bytes)
{
    return RiffWav::decode(bytes.data(), bytes.size(), "test.wav");
}

}  // namespace

TEST(RiffWav, FloatClipsSurviveEncodingAndDecodingExactly)
{
    AudioClip clip;
    clip.sampleRate = 96000;
    clip.channels = {{0.0f, -0.0f, 1e-38f, -3.5f, 1.0f}, {0.25f, 7.0f, -1.0f, 0.5f, 1e-7f}};
    const std::vector<uint8_t> bytes = RiffWav::encodeFloat(clip);
    const AudioClip back = decode(bytes);
    EXPECT_EQ(back.sampleRate, 96000);
    ASSERT_EQ(back.channels.size(), 2u);
    for (size_t c = 0; c < 2; ++c)
        EXPECT_EQ(0, std::memcmp(back.channels[c].data(), clip.channels[c].data(), 5 * sizeof(float))) << c;
}

TEST(RiffWav, IntegerSamplesScaleToPlusMinusOneWhateverTheirWidthAndWrapping)
{
    struct Case {
        uint16_t bits;
        std::vector<uint8_t> samples;
        std::vector<float> expected;
        bool extensible;
    };
    const Case cases[] = {
        {8, {0, 128, 255}, {-1.0f, 0.0f, 127.0f / 128.0f}, false},
        {16, {0x00, 0x80, 0xff, 0x7f, 0xff, 0xff}, {-1.0f, 32767.0f / 32768.0f, -1.0f / 32768.0f}, false},
        {24, {0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0xff, 0xff, 0xff},
            {-1.0f, 1.0f / 8388608.0f, -1.0f / 8388608.0f}, true},
        {32, {0, 0, 0, 0x80, 0, 0, 0, 0x40}, {-1.0f, 0.5f}, false},
    };
    for (const Case& c : cases) {
        const AudioClip clip = decode(WavBytes()
                                          .chunk("LIST", {1, 2, 3})  // an odd chunk before, padded
                                          .chunk("fmt ", format(1, 1, c.bits, c.extensible))
                                          .chunk("data", c.samples)
                                          .file());
        ASSERT_EQ(clip.channels.size(), 1u) << c.bits;
        EXPECT_EQ(clip.channels[0], c.expected) << c.bits << " bits";
    }
}

TEST(RiffWav, InterleavedChannelsComeApartInEverySampleFormat)
{
    struct Case {
        uint16_t type;
        uint16_t bits;
        bool extensible;
        std::vector<uint8_t> samples;  // two frames
        std::vector<std::vector<float>> expected;
    };
    const Case cases[] = {
        {1, 8, false, {0, 128, 192, 255, 64, 128}, {{-1.0f, 127.0f / 128.0f}, {0.0f, -0.5f}, {0.5f, 0.0f}}},
        {1, 16, true, {0x00, 0x40, 0x00, 0xc0, 0xff, 0x7f, 0x00, 0x80},
            {{0.5f, 32767.0f / 32768.0f}, {-0.5f, -1.0f}}},
        {1, 24, false, {0, 0, 0x40, 0, 0, 0xc0, 1, 0, 0, 0xff, 0xff, 0xff},
            {{0.5f, 1.0f / 8388608.0f}, {-0.5f, -1.0f / 8388608.0f}}},
        {1, 32, true,
            {0, 0, 0, 0x40, 0, 0, 0, 0xc0, 0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0x10, 0, 0, 0,
                0xe0, 0, 0, 0, 0x60},
            {{0.5f, -1.0f}, {-0.5f, 0.125f}, {0.25f, -0.25f}, {0.0f, 0.75f}}},
        {3, 32, true, bytesOf({0.5f, -2.0f, 1.0f, 0.25f}), {{0.5f, 1.0f}, {-2.0f, 0.25f}}},
        {3, 64, false, bytesOf({0.5, -1.0, 2.0, 0.25, 0.0, -0.5}),
            {{0.5f, 0.25f}, {-1.0f, 0.0f}, {2.0f, -0.5f}}},
    };
    for (const Case& c : cases) {
        const auto channels = static_cast<uint16_t>(c.expected.size());
        const AudioClip clip = decode(WavBytes()
                                          .chunk("fmt ", format(c.type, channels, c.bits, c.extensible))
                                          .chunk("data", c.samples)
                                          .file());
        EXPECT_EQ(clip.channels, c.expected) << channels << " channels of " << c.bits << " bits, type "
                                             << c.type << (c.extensible ? ", extensible" : "");
    }
}

TEST(RiffWav, DamagedOrForeignFilesAreErrorsNamingTheFile)
{
    const std::vector<uint8_t> pcm16 = format(1, 1, 16);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
        {"no chunks", WavBytes().file()},
        {"data first", WavBytes().chunk("data", {0, 0}).chunk("fmt ", pcm16).file()},
        {"short format", WavBytes().chunk("fmt ", {1, 0, 1, 0}).chunk("data", {0, 0}).file()},
        {"12-bit", WavBytes().chunk("fmt ", format(1, 1, 12)).chunk("data", {0, 0}).file()},
        {"A-law", WavBytes().chunk("fmt ", format(6, 1, 8)).chunk("data", {0}).file()},
        {"no channels", WavBytes().chunk("fmt ", format(1, 0, 16)).chunk("data", {0, 0}).file()},
        {"a chunk claiming 4 GB", WavBytes().chunk("fmt ", pcm16).chunk("junk", {0, 0}, 0xfffffff8u).file()},
    };
    for (const auto& c : cases) {
        try {
            decode(c.bytes);
            ADD_FAILURE() << c.what << " decoded";
        } catch (const HostError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("cannot read test.wav: ", 0), 0u)
                << c.what << ": " << error.what();
        }
    }
}

TEST(RiffWav, ADataChunkCutOffGivesTheWholeFramesItHolds)
{
    const std::vector<uint8_t> bytes
        = WavBytes().chunk("fmt ", format(1, 2, 16)).chunk("data", {0, 0x40, 0, 0xc0, 0, 0x20}, 400).file();
    const AudioClip clip = decode(bytes);
    ASSERT_EQ(clip.channels.size(), 2u);
    EXPECT_EQ(clip.channels[0], std::vector<float>{0.5f});
    EXPECT_EQ(clip.channels[1], std::vector<float>{-0.5f});
}
