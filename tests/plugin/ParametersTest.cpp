#include "RecordingEditor.h"
#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "shell/ParameterTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

TEST(Parameters, NamesLabelsAndInitialValues)
{
    struct Case {
        const char* name;
        const char* label;
        float value;
        const char* display;
    };
    const Case cases[kNumParams] = {
        {"master", "db", 0.25f, "-12.0411"},
        {"drive", "drive", 0.3f, "3.000000"},
        {"bass", "bass", 0.5f, "5.000000"},
        {"mid", "mid", 0.5f, "5.000000"},
        {"treble", "treble", 0.5f, "5.000000"},
        {"presence", "presence", 0.0f, "0.000000"},
        {"Voicing", "Voicing", 0.0f, "0.000000"},
        {"Input gain", "db", 0.5f, "0.000000"},
        {"Bypass cabinet", "cabinet", 0.0f, "cab active"},
        {"channel", "channel", 0.0f, "clean channel"},
    };
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(host.text(effGetParamName, i), cases[i].name) << "parameter " << i;
        EXPECT_EQ(host.text(effGetParamLabel, i), cases[i].label) << "parameter " << i;
        EXPECT_EQ(host.getParameter(i), cases[i].value) << "parameter " << i;
        EXPECT_EQ(host.display(i), cases[i].display) << "parameter " << i;
    }
}

TEST(Parameters, IndicesOutsideTheTableLeaveTextsAndReadZero)
{
    TestHost host;
    host.load();
    for (int32_t index : {-1, 10, 12}) {
        for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(host.text(opcode, index), std::string(255, '#'))
                << "opcode " << opcode << ", index " << index;
        EXPECT_EQ(host.getParameter(index), 0.0f) << "index " << index;
    }
}

TEST(Parameters, SetValuesReadBackAndDisplay)
{
    struct Case {
        int32_t index;
        float value;
        float readBack;
        const char* display;
    };
    const Case cases[] = {
        {kMaster, 0.3f, 0.3f, "-10.4575"},
        {kMaster, 0.5f, 0.5f, "-6.02059"},
        {kMaster, 1.0f, 1.0f, "0.000000"},
        {kMaster, 2.0f, 2.0f, "6.020599"},
        {kMaster, 0.0f, 0.0f, "-oo"},
        {kMaster, -1.0f, -1.0f, "-oo"},
        {kDrive, 0.75f, 0.75f, "7.500000"},
        {kTreble, 1.2f, 1.2f, "12.000000"},
        {kPresence, -0.5f, -0.5f, "-5.000000"},
        {kVoicing, 0.5f, 0.5f, "0.500000"},
        {kBypassCabinet, 1.0f, 1.0f, "cab bypassed"},
        {kBypassCabinet, 0.999f, 0.0f, "cab active"},
        {kBypassCabinet, 1.5f, 0.0f, "cab active"},
        {kChannel, 0.5f, 0.5f, "crunch channel"},
        {kChannel, 1.0f, 1.0f, "ultra channel"},
        {kChannel, 0.4f, 0.5f, "crunch channel"},
        {kChannel, -5.0f, 0.0f, "clean channel"},
    };
    TestHost host;
    host.load();
    for (const Case& c : cases) {
        host.setParameter(c.index, c.value);
        EXPECT_EQ(host.getParameter(c.index), c.readBack) << "parameter " << c.index << " = " << c.value;
        EXPECT_EQ(host.display(c.index), c.display) << "parameter " << c.index << " = " << c.value;
    }
}

TEST(Parameters, InputGainSpansTwelveDecibelsEachWayAndReadsBack)
{
    const std::pair<float, double> cases[] = {{0.0f, -12.0}, {1.0f, 12.0}, {0.25f, -6.0}, {0.5f, 0.0}};
    TestHost host;
    host.load();
    for (const auto& [value, decibels] : cases) {
        host.setParameter(kInputGain, value);
        EXPECT_NEAR(std::atof(host.display(kInputGain).c_str()), decibels, 1e-4) << "value " << value;
        EXPECT_NEAR(host.getParameter(kInputGain), value, 1e-6f) << "value " << value;
    }
    host.setParameter(kInputGain, 0.5f);
    EXPECT_EQ(host.getParameter(kInputGain), 0.5f) << "unity reads back exactly";
}

TEST(Parameters, EditorHearsEveryChangeWithItsTag)
{
    TestHost host;
    host.load();
    RecordingEditor* editor = attachRecordingEditor(host.plugin());
    for (int32_t i = 0; i < kChannel; ++i)
        host.setParameter(i, 0.125f);
    for (float channelValue : {0.34f, 0.67f, 0.0f})
        host.setParameter(kChannel, channelValue);
    host.setParameter(kNumParams, 0.125f);
    EXPECT_EQ(editor->tags(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 9}));
    EXPECT_EQ(editor->notifications[10].second, 0.67f) << "the channel's normalised value, not its number";
    EXPECT_EQ(host.plugin().engine().channel(), 0);
}

namespace {

// What a host keeps of a song without chunks: every parameter as getParameter reads it.
std::vector<float> savedSong(TestHost& host)
{
    std::vector<float> values;
    for (int32_t i = 0; i < kNumParams; ++i)
        values.push_back(host.getParameter(i));
    return values;
}

std::vector<float> renderPhrase(TestHost& host)
{
    constexpr int32_t kBlock = 256;
    std::vector<float> output;
    float input[kBlock], left[kBlock], right[kBlock];
    float* inputs[] = {input};
    float* outputs[] = {left, right};
    for (int32_t n = 0, block = 0; block < 16; ++block) {
        for (float& x : input)
            x = 0.4f * std::sin(0.0291f * static_cast<float>(n++));
        host.effect()->processReplacing(host.effect(), inputs, outputs, kBlock);
        output.insert(output.end(), left, left + kBlock);
    }
    return output;
}

}  // namespace

TEST(Parameters, ASongSavedThroughGetParameterReopensToTheSameSound)
{
    std::vector<std::vector<float>> songs;
    for (float channel : {0.0f, 0.4f, 0.9f}) {  // clean, crunch, ultra
        std::vector<float> song = {0.3f, 0.6f, 0.5f, 0.5f, 0.5f, 0.2f, 0.1f, 0.5f, 0.0f};
        song.push_back(channel);
        songs.push_back(song);
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    for (int i = 0; i < 8; ++i) {
        std::vector<float> song;
        for (int32_t p = 0; p < kNumParams; ++p)
            song.push_back(value(random));
        song[kBypassCabinet] = i % 2 == 0 ? 1.0f : song[kBypassCabinet];
        songs.push_back(song);
    }
    for (size_t s = 0; s < songs.size(); ++s) {
        TestHost original, reopened;
        for (TestHost* host : {&original, &reopened}) {
            host->load();
            host->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
        }
        for (int32_t i = 0; i < kNumParams; ++i)
            original.setParameter(i, songs[s][i]);
        const std::vector<float> saved = savedSong(original);
        for (int32_t i = 0; i < kNumParams; ++i)
            reopened.setParameter(i, saved[i]);
        EXPECT_EQ(savedSong(reopened), saved) << "song " << s;
        for (int32_t i = 0; i < kNumParams; ++i)
            EXPECT_EQ(reopened.display(i), original.display(i)) << "song " << s << ", parameter " << i;
        EXPECT_TRUE(renderPhrase(reopened) == renderPhrase(original)) << "song " << s;
    }
}

TEST(Parameters, AFreshInstanceHoldsEveryRowsDefault)
{
    // The stored parameters come from program 0, the others from the engine's start: both
    // must agree with the table, which the factory programs and the fresh slots are made from.
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i)
        EXPECT_EQ(host.getParameter(i), kParameterTable[i].defaultValue) << kParameterTable[i].name;
}
