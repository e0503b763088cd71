#include "tools/grimbolt-host/WavFile.h"
#include "tools/hostkit/HostError.h"

#include <gtest/gtest.h>

TEST(WavFile, FloatStereoSurvivesAWriteAndReadExactly)
{
    AudioClip clip;
    clip.sampleRate = 88200;
    clip.channels = {{0.0f, 0.5f, -1.0f, 1.5f, 1e-7f}, {-0.25f, 0.125f, 0.0f, -1.5f, 3.0f}};
    const std::string path = std::string(SCRATCH_DIRECTORY) + "/wav-round-trip.wav";
    WavFile::write(path, clip);
    const AudioClip back = WavFile::read(path);
    EXPECT_EQ(back.sampleRate, 88200);
    EXPECT_EQ(back.channels, clip.channels);
}

TEST(WavFile, UnreadableFileIsAHostErrorNamingIt)
{
    const std::string path = std::string(SCRATCH_DIRECTORY) + "/no-such-input.wav";
    try {
        WavFile::read(path);
        ADD_FAILURE() << "read a missing file";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
}
