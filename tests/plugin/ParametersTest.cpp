#include "RecordingEditor.h"
#include "TestHost.h"

#include "engine/AmpEngine.h"
#include "plugin/Parameters.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(Parameters, NamesAndLabelsAreTheHostTexts)
{
    struct Case {
        const char* name;
        const char* label;
    };
    const Case cases[kNumParams] = {
        {"master", "db"},      {"drive", "drive"},       {"bass", "bass"},
        {"mid", "mid"},        {"treble", "treble"},     {"presence", "presence"},
        {"Voicing", "Voicing"}, {"Input gain", "db"},    {"Bypass cabinet", "cabinet"},
        {"channel", "channel"},
    };
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(host.text(effGetParamName, i), cases[i].name) << "parameter " << i;
        EXPECT_EQ(host.text(effGetParamLabel, i), cases[i].label) << "parameter " << i;
    }
}

TEST(Parameters, IndicesOutsideTheTableLeaveTextsAndReadZero)
{
    TestHost host;
    host.load();
    const std::string untouched(255, '#');
    for (int32_t index : {-1, 10, 12, 1000}) {
        for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(host.text(opcode, index), untouched) << "opcode " << opcode << ", index " << index;
        EXPECT_EQ(host.getParameter(index), 0.0f) << "index " << index;
    }
}

TEST(Parameters, InitialValuesAndDisplays)
{
    struct Case {
        float value;
        const char* display;
    };
    const Case cases[kNumParams] = {
        {0.25f, "-12.0411"}, {0.3f, "3.000000"},  {0.5f, "5.000000"},      {0.5f, "5.000000"},
        {0.5f, "5.000000"},  {0.0f, "0.000000"},  {0.0f, "0.000000"},      {0.5f, "0.000000"},
        {0.0f, "cab active"}, {0.0f, "clean channel"},
    };
    TestHost host;
    host.load();
    for (int32_t i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(host.getParameter(i), cases[i].value) << "parameter " << i;
        EXPECT_EQ(host.display(i), cases[i].display) << "parameter " << i;
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
        {kMaster, 0.5f, 0.5f, "-6.02059"},   {kMaster, 1.0f, 1.0f, "0.000000"},
        {kMaster, 0.0f, 0.0f, "-oo"},        {kMaster, 2.0f, 2.0f, "6.020599"},
        {kDrive, 0.75f, 0.75f, "7.500000"},  {kBass, 1.0f, 1.0f, "10.000000"},
        {kMid, 0.1f, 0.1f, "1.000000"},      {kTreble, 1.2f, 1.2f, "12.000000"},
        {kPresence, -0.5f, -0.5f, "-5.000000"}, {kVoicing, 0.5f, 0.5f, "0.500000"},
        {kInputGain, 0.5f, 0.5f, "0.000000"},
        {kBypassCabinet, 1.0f, 1.0f, "cab bypassed"}, {kBypassCabinet, 0.999f, 0.0f, "cab active"},
        {kBypassCabinet, 1.5f, 0.0f, "cab active"},   {kBypassCabinet, 0.0f, 0.0f, "cab active"},
        {kChannel, 0.5f, 1.0f, "crunch channel"},     {kChannel, 1.0f, 2.0f, "ultra channel"},
        {kChannel, 0.2f, 0.0f, "clean channel"},
    };
    TestHost host;
    host.load();
    for (const Case& c : cases) {
        host.setParameter(c.index, c.value);
        EXPECT_EQ(host.getParameter(c.index), c.readBack) << "parameter " << c.index << " = " << c.value;
        EXPECT_EQ(host.display(c.index), c.display) << "parameter " << c.index << " = " << c.value;
    }
}

TEST(Parameters, InputGainSpansTwelveDecibelsEachWay)
{
    const std::pair<float, double> cases[] = {{0.0f, -12.0}, {1.0f, 12.0}, {0.25f, -6.0}, {0.5f, 0.0}};
    TestHost host;
    host.load();
    for (const auto& [value, decibels] : cases) {
        host.setParameter(kInputGain, value);
        EXPECT_NEAR(std::atof(host.display(kInputGain).c_str()), decibels, 1e-4) << "value " << value;
        EXPECT_NEAR(host.getParameter(kInputGain), value, 1e-6f) << "value " << value;
    }
}

TEST(Parameters, ChannelValueSelectsChannelAndNotifiesItsTag)
{
    const std::pair<float, int32_t> cases[] = {
        {0.0f, 0}, {0.3333f, 0}, {0.34f, 1}, {0.6666f, 1}, {0.67f, 2}, {1.0f, 2}, {2.0f, 2}, {-5.0f, 0},
    };
    TestHost host;
    host.load();
    RecordingEditor* editor = attachRecordingEditor(host.plugin());
    for (const auto& [value, channel] : cases) {
        editor->notifications.clear();
        host.setParameter(kChannel, value);
        EXPECT_EQ(host.plugin().engine().channel(), channel) << "value " << value;
        EXPECT_EQ(host.getParameter(kChannel), static_cast<float>(channel)) << "value " << value;
        ASSERT_EQ(editor->notifications.size(), 1u) << "value " << value;
        EXPECT_EQ(editor->notifications[0].first, 9 + channel) << "value " << value;
        EXPECT_EQ(editor->notifications[0].second, value) << "the normalised value goes to the editor";
    }
}

TEST(Parameters, EveryParameterNotifiesTheEditorWithItsTag)
{
    TestHost host;
    host.load();
    RecordingEditor* editor = attachRecordingEditor(host.plugin());
    for (int32_t i = 0; i < kChannel; ++i)
        host.setParameter(i, 0.125f);
    host.setParameter(kNumParams, 0.125f);
    EXPECT_EQ(editor->tags(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    for (const auto& notification : editor->notifications)
        EXPECT_EQ(notification.second, 0.125f) << "tag " << notification.first;
}

TEST(Parameters, EveryParameterCanBeAutomated)
{
    TestHost host;
    host.load();
    for (int32_t index : {0, 9, 10, -3})
        EXPECT_EQ(host.dispatch(effCanBeAutomated, index), 1) << "index " << index;
}
