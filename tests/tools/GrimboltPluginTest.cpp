// Loads of the real Grimbolt plug-in module, as a host does.
#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"
#include "tools/grimbolt-host/PluginNames.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const HostError& error) {
        return error.what();
    }
    return "(no error)";
}

}  // namespace

TEST(GrimboltPlugin, ReportsItsIdentityToAHost)
{
    const PluginLibrary library(GRIMBOLT_PLUGIN);
    HostCallback host;
    const PluginInstance plugin(library, host);
    EXPECT_EQ(plugin.effectName(), "Grimbolt");
    EXPECT_EQ(plugin.productString(), "Grimbolt");
    EXPECT_EQ(plugin.vendorString(), "Kelvaro Sound Lab");
    EXPECT_EQ(plugin.vendorVersion(), 1000);
    EXPECT_EQ(plugin.uniqueId(), 0x74756231);
    EXPECT_EQ(plugin.numInputs(), 1);
    EXPECT_EQ(plugin.numOutputs(), 2);
    EXPECT_EQ(plugin.numPrograms(), 63);
    EXPECT_EQ(plugin.numParameters(), 10);
    const char* const factoryPrograms[] = {"default", "clean", "crunch", "high gain"};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(plugin.programName(i), factoryPrograms[i]) << "program " << i;
    }
}

TEST(GrimboltPlugin, ShortRenderGivesTwoIdenticalFiniteChannels)
{
    constexpr int fs = 48000;
    AudioClip input;
    input.sampleRate = fs;
    std::vector<float> phrase = PluckedStringPhrase::render(fs);
    phrase.resize(fs / 4);  // the first note's attack is enough
    input.channels.push_back(phrase);

    const PluginLibrary library(GRIMBOLT_PLUGIN);
    HostCallback host;
    // An odd block size leaves a short last block.
    const AudioClip output = renderThroughPlugin(library, host, input, {fs, 100, std::string("crunch"), {}});
    ASSERT_EQ(output.channels.size(), 2u);
    ASSERT_EQ(output.frames(), input.frames());
    EXPECT_EQ(output.sampleRate, fs);
    for (size_t n = 0; n < output.frames(); ++n) {
        ASSERT_TRUE(std::isfinite(output.channels[0][n])) << "frame " << n;
    }
    EXPECT_EQ(output.channels[0], output.channels[1]);
}

TEST(GrimboltPlugin, ProgramsAndParametersAreFoundByNumberOrNameInAnyCase)
{
    const PluginLibrary library(GRIMBOLT_PLUGIN);
    HostCallback host;
    const PluginInstance plugin(library, host);
    EXPECT_EQ(PluginNames::findProgram(plugin, "HIGH GAIN"), 3);
    EXPECT_EQ(PluginNames::findProgram(plugin, "62"), 62);
    EXPECT_EQ(PluginNames::findParameter(plugin, "input GAIN"), 7);
    EXPECT_EQ(PluginNames::findParameter(plugin, "channel"), 9);
}

TEST(GrimboltPlugin, RenderRefusesUnknownNamesAndStereoInputWithTheValidChoices)
{
    const PluginLibrary library(GRIMBOLT_PLUGIN);
    HostCallback host;
    AudioClip mono;
    mono.sampleRate = 44100;
    mono.channels.assign(1, std::vector<float>(64, 0.0f));
    AudioClip stereo = mono;
    stereo.channels.push_back(mono.channels[0]);

    struct Case {
        const AudioClip* input;
        RenderSettings settings;
        std::vector<std::string> expectedInMessage;
    };
    const Case cases[] = {
        {&mono, {44100, 64, std::string("lead"), {}},
            {"unknown program \"lead\"", "\"high gain\"", "0 to 62"}},
        {&mono, {44100, 64, std::string("63"), {}}, {"no program number 63"}},
        {&mono, {44100, 64, {}, {{"gain", 0.5f}}},
            {"unknown parameter \"gain\"", "\"Input gain\"", "\"Voicing\""}},
        {&stereo, {44100, 64, {}, {}}, {"mono/stereo mismatch"}},
    };
    for (const Case& c : cases) {
        const std::string message
            = messageOf([&] { renderThroughPlugin(library, host, *c.input, c.settings); });
        for (const std::string& expected : c.expectedInMessage) {
            EXPECT_NE(message.find(expected), std::string::npos)
                << "expected " << expected << " in: " << message;
        }
    }
}
