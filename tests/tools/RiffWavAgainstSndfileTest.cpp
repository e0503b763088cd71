// Our decoder against libsndfile on the files libsndfile writes, in every format it reads.
#include "tools/grimbolt-host/RiffWav.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

TEST(RiffWav, DecodesWhatLibsndfileWritesToTheSameSamples)
{
    const struct {
        int format;
        const char* name;
    } formats[] = {
        {SF_FORMAT_PCM_U8, "unsigned 8-bit"},
        {SF_FORMAT_PCM_16, "16-bit"},
        {SF_FORMAT_PCM_24, "24-bit"},
        {SF_FORMAT_PCM_32, "32-bit"},
        {SF_FORMAT_FLOAT, "float"},
        {SF_FORMAT_DOUBLE, "double"},
    };
    std::vector<float> interleaved;
    for (int n = 0; n < 300; ++n)
        interleaved.push_back(0.9f * std::sin(0.05f * static_cast<float>(n)) * (n % 2 ? 1.0f : -0.5f));
    for (const auto& f : formats) {
        for (int container : {SF_FORMAT_WAV, SF_FORMAT_WAVEX}) {
            const std::string path
                = std::string(SCRATCH_DIRECTORY) + "/sndfile-" + std::to_string(f.format) + ".wav";
            SF_INFO info{};
            info.samplerate = 48000;
            info.channels = 2;
            info.format = container | f.format;
            SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
            ASSERT_NE(out, nullptr) << f.name;
            sf_writef_float(out, interleaved.data(), 150);
            sf_close(out);

            SF_INFO readInfo{};
            SNDFILE* in = sf_open(path.c_str(), SFM_READ, &readInfo);
            std::vector<float> expected(300);
            sf_readf_float(in, expected.data(), 150);
            sf_close(in);

            std::ifstream file(path, std::ios::binary);
            const std::vector<uint8_t> bytes{
                std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            const AudioClip clip = RiffWav::decode(bytes.data(), bytes.size(), path);
            ASSERT_EQ(clip.channels.size(), 2u) << f.name;
            ASSERT_EQ(clip.frames(), 150u) << f.name;
            EXPECT_EQ(clip.sampleRate, 48000) << f.name;
            for (size_t n = 0; n < 150; ++n)
                for (size_t c = 0; c < 2; ++c)
                    EXPECT_NEAR(clip.channels[c][n], expected[n * 2 + c], 1e-7) << f.name << ", frame " << n;
        }
    }
}
