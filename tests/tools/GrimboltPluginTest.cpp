// Loads of the real Grimbolt plug-in module, as a host does.
#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"
#include "tools/grimbolt-host/PluginNames.h"
#include "tools/grimbolt-host/RenderCommand.h"
#include "tools/grimbolt-host/WavFile.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
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

std::vector<char> bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What `grimbolt-host render` prints, run on the real plug-in.
std::string render(const std::string& in, const std::string& out, std::optional<int> channel = {})
{
    std::vector<std::string> args = {"render", GRIMBOLT_PLUGIN, in, out, "--program", "crunch"};
    if (channel)
        args.insert(args.end(), {"--channel", std::to_string(*channel)});
    std::ostringstream printed;
    runRenderCommand(parseCommandLine(args), printed);
    return printed.str();
}

// A file of `gains.size()` channels, each the first note of the phrase at its gain, on a grid of
// 1/32768 so that sums and means of a few channels are exact floats.
AudioClip noteInChannels(const std::vector<float>& gains)
{
    std::vector<float> note = PluckedStringPhrase::render(44100);
    note.resize(44100 / 8);
    AudioClip clip;
    clip.sampleRate = 44100;
    for (float gain : gains) {
        clip.channels.emplace_back();
        for (float x : note)
            clip.channels.back().push_back(std::round(x * gain * 32768.0f) / 32768.0f);
    }
    return clip;
}

// ctest runs the tests side by side: each test's files carry its name.
std::string scratch(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(SCRATCH_DIRECTORY) + "/" + test->name() + "-" + name;
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

TEST(GrimboltPlugin, RenderPlaysAFileOfSeveralChannelsAsTheirMeanOrAsTheOnePicked)
{
    struct Case {
        std::vector<float> gains;
        std::optional<int> channel;  // counted from 1
        std::string expectedNote;
    };
    const Case cases[] = {
        {{1.0f, -0.5f}, {}, "2 channels mixed to mono (their mean); --channel N picks one"},
        {{0.25f, 1.0f, -0.75f, 0.5f}, {}, "4 channels mixed to mono (their mean)"},
        {{1.0f, -0.5f}, 2, "channel 2 of 2 played"},
        {{0.5f, 1.0f, 0.0f}, 1, "channel 1 of 3 played"},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.gains.size()) + " channels, --channel "
            + (c.channel ? std::to_string(*c.channel) : "absent");
        const AudioClip file = noteInChannels(c.gains);
        AudioClip mono;
        mono.sampleRate = file.sampleRate;
        if (c.channel) {
            mono.channels.push_back(file.channels[static_cast<size_t>(*c.channel) - 1]);
        } else {
            mono.channels.assign(1, std::vector<float>(file.frames()));
            for (size_t n = 0; n < file.frames(); ++n) {
                for (const std::vector<float>& samples : file.channels)
                    mono.channels[0][n] += samples[n];
                mono.channels[0][n] /= static_cast<float>(file.channels.size());
            }
        }
        WavFile::write(scratch("channels-in.wav"), file);
        WavFile::write(scratch("channels-mono-in.wav"), mono);

        const std::string printed
            = render(scratch("channels-in.wav"), scratch("channels-out.wav"), c.channel);
        EXPECT_NE(printed.find(c.expectedNote), std::string::npos) << what << ", printed:\n" << printed;
        render(scratch("channels-mono-in.wav"), scratch("channels-mono-out.wav"));
        EXPECT_EQ(bytesOf(scratch("channels-out.wav")), bytesOf(scratch("channels-mono-out.wav"))) << what;
    }
}

TEST(GrimboltPlugin, RenderRefusesAChannelTheFileLacks)
{
    const struct {
        size_t channels;
        int channel;
        const char* expectedInMessage;
    } cases[] = {
        {2, 3, "--channel 3: "},
        {1, 2, "has 1 channel, counted from 1"},
    };
    for (const auto& c : cases) {
        WavFile::write(scratch("channels-in.wav"), noteInChannels(std::vector<float>(c.channels, 1.0f)));
        try {
            render(scratch("channels-in.wav"), scratch("channels-out.wav"), c.channel);
            ADD_FAILURE() << "played channel " << c.channel << " of " << c.channels;
        } catch (const UsageError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expectedInMessage), std::string::npos) << error.what();
        }
    }
}
