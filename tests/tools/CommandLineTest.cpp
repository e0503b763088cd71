#include "tools/grimbolt-host/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CommandLine, MalformedArgumentsAreUsageErrorsNamingTheProblem)
{
    struct Case {
        std::vector<std::string> args;
        std::string expectedInMessage;
    };
    const Case cases[] = {
        {{}, "no command"},
        {{"play", "p.so"}, "unknown command \"play\""},
        {{"info"}, "info expects exactly one PLUGIN"},
        {{"info", "a.so", "b.so"}, "info expects exactly one PLUGIN"},
        {{"info", "a.so", "--rate", "48000"}, "unknown option --rate"},
        {{"render", "p.so", "in.wav"}, "render expects PLUGIN IN.wav OUT.wav"},
        {{"render", "p.so", "in.wav", "out.wav", "x.wav"}, "render expects"},
        {{"render", "p.so", "in.wav", "out.wav", "--rate"}, "--rate needs a value"},
        {{"render", "p.so", "in.wav", "out.wav", "--rate", "fast"}, "--rate must be a whole number"},
        {{"render", "p.so", "in.wav", "out.wav", "--rate", "0"}, "--rate must be a whole number"},
        {{"render", "p.so", "in.wav", "out.wav", "--block", "48k"}, "--block must be a whole number"},
        {{"render", "p.so", "in.wav", "out.wav", "--block", "1000000"}, "--block must be a whole number"},
        {{"render", "p.so", "in.wav", "out.wav", "--channel", "0"},
            "--channel must be a whole number from 1"},
        {{"render", "p.so", "in.wav", "out.wav", "--channel", "left"}, "--channel must be a whole number"},
        {{"render", "p.so", "in.wav", "out.wav", "--channel"}, "--channel needs a value"},
        {{"render", "p.so", "in.wav", "out.wav", "--set", "drive"}, "--set expects NAME=VALUE"},
        {{"render", "p.so", "in.wav", "out.wav", "--set", "=0.5"}, "--set expects NAME=VALUE"},
        {{"render", "p.so", "in.wav", "out.wav", "--set", "drive=loud"}, "normalised number from 0 to 1"},
        {{"render", "p.so", "in.wav", "out.wav", "--set", "drive=1.5"}, "normalised number from 0 to 1"},
        {{"render", "p.so", "in.wav", "out.wav", "--set", "drive=nan"}, "normalised number from 0 to 1"},
        {{"render", "p.so", "in.wav", "out.wav", "--volume", "3"}, "unknown option --volume"},
        {{"demo"}, "demo expects PLUGIN [OUTDIR]"},
        {{"demo", "p.so", "out", "more"}, "demo expects PLUGIN [OUTDIR]"},
        {{"help", "me"}, "help takes no arguments"},
        {{"edit"}, "edit expects exactly one PLUGIN"},
        {{"edit", "p.so", "out.png"}, "edit expects exactly one PLUGIN"},
        {{"edit", "p.so", "--rate", "48000"}, "unknown option --rate"},
        {{"edit", "p.so", "--channel", "1"}, "unknown option --channel"},
        {{"live"}, "live expects exactly one PLUGIN"},
        {{"live", "p.so", "more.so"}, "live expects exactly one PLUGIN"},
        {{"live", "p.so", "--block", "64"}, "unknown option --block"},
        {{"live", "p.so", "--seconds"}, "--seconds needs a value"},
        {{"live", "p.so", "--seconds", "0"}, "--seconds must be a number of seconds above 0"},
        {{"live", "p.so", "--seconds", "-1"}, "--seconds must be a number"},
        {{"live", "p.so", "--seconds", "soon"}, "--seconds must be a number"},
        {{"live", "p.so", "--seconds", "inf"}, "--seconds must be a number"},
        {{"live", "p.so", "--name", ""}, "--name needs a client name"},
        {{"live", "p.so", "--input", ""}, "--input needs a port name"},
        {{"live", "p.so", "--output", "a,"}, "--output expects PORT or PORT,PORT"},
        {{"live", "p.so", "--output", "a,b,c"}, "--output expects PORT or PORT,PORT"},
        {{"live", "p.so", "--no-connect", "--input", "system:capture_1"}, "--no-connect connects nothing"},
        {{"live", "p.so", "--output", "x:y", "--no-connect"}, "--no-connect connects nothing"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& arg : c.args)
            joined += arg + " ";
        try {
            parseCommandLine(c.args);
            ADD_FAILURE() << "accepted: " << joined;
        } catch (const UsageError& error) {
            EXPECT_NE(std::string(error.what()).find(c.expectedInMessage), std::string::npos)
                << "args: " << joined << "\nmessage: " << error.what();
        }
    }
}

TEST(CommandLine, RenderTakesOptionsAnywhereAndSettingsInOrder)
{
    const CommandLine line = parseCommandLine(
        {"render", "--program", "high gain", "p.so", "--set", "drive=0.8", "Input gain=0.25", "in.wav",
            "--rate", "96000", "out.wav", "--block", "64", "--set", "master=1", "--channel", "2"});
    EXPECT_EQ(line.kind, CommandKind::Render);
    EXPECT_EQ(line.pluginPath, "p.so");
    EXPECT_EQ(line.inputPath, "in.wav");
    EXPECT_EQ(line.outputPath, "out.wav");
    EXPECT_EQ(line.sampleRate, 96000);
    EXPECT_EQ(line.blockSize, 64);
    EXPECT_EQ(line.channel, 2);
    EXPECT_EQ(line.program, "high gain");
    ASSERT_EQ(line.settings.size(), 3u);
    EXPECT_EQ(line.settings[0].name, "drive");
    EXPECT_FLOAT_EQ(line.settings[0].value, 0.8f);
    EXPECT_EQ(line.settings[1].name, "Input gain");
    EXPECT_FLOAT_EQ(line.settings[1].value, 0.25f);
    EXPECT_EQ(line.settings[2].name, "master");
    EXPECT_FLOAT_EQ(line.settings[2].value, 1.0f);
}

TEST(CommandLine, RenderLeavesRateToTheFileAndDemoDirectoryDefaults)
{
    const CommandLine render = parseCommandLine({"render", "p.so", "in.wav", "out.wav"});
    EXPECT_FALSE(render.sampleRate.has_value());
    EXPECT_EQ(render.blockSize, CommandLine::kDefaultBlockSize);
    EXPECT_FALSE(render.program.has_value());
    EXPECT_FALSE(render.channel.has_value());

    EXPECT_EQ(parseCommandLine({"demo", "p.so"}).outputDirectory, CommandLine::kDefaultDemoDirectory);
    EXPECT_EQ(parseCommandLine({"demo", "p.so", "there"}).outputDirectory, "there");
    EXPECT_EQ(parseCommandLine({"info", "p.so"}).pluginPath, "p.so");
    EXPECT_EQ(parseCommandLine({"--help"}).kind, CommandKind::Help);
}

TEST(CommandLine, EditTakesAProgramAndSettings)
{
    const CommandLine line = parseCommandLine({"edit", "p.so", "--program", "crunch", "--set", "drive=0.8"});
    EXPECT_EQ(line.kind, CommandKind::Edit);
    EXPECT_EQ(line.pluginPath, "p.so");
    EXPECT_EQ(line.program, "crunch");
    ASSERT_EQ(line.settings.size(), 1u);
    EXPECT_EQ(line.settings[0].name, "drive");
    EXPECT_EQ(line.settings[0].value, 0.8f);
}

TEST(CommandLine, LiveTakesItsOptionsAndDefaultsToTheClientGrimbolt)
{
    const CommandLine plain = parseCommandLine({"live", "p.so"});
    EXPECT_EQ(plain.kind, CommandKind::Live);
    EXPECT_EQ(plain.pluginPath, "p.so");
    EXPECT_EQ(plain.clientName, "grimbolt");
    EXPECT_FALSE(plain.inputPort.has_value());
    EXPECT_TRUE(plain.outputPorts.empty());
    EXPECT_FALSE(plain.noConnect || plain.noEditor || plain.midi);
    EXPECT_FALSE(plain.seconds.has_value());

    const CommandLine line = parseCommandLine({"live", "--program", "crunch", "p.so", "--set", "drive=1",
        "--name", "amp", "--input", "system:capture_2", "--output", "system:playback_1,system:playback_2",
        "--no-editor", "--midi", "--seconds", "2.5"});
    EXPECT_EQ(line.program, "crunch");
    ASSERT_EQ(line.settings.size(), 1u);
    EXPECT_EQ(line.settings[0].name, "drive");
    EXPECT_EQ(line.clientName, "amp");
    EXPECT_EQ(line.inputPort, "system:capture_2");
    EXPECT_EQ(line.outputPorts, (std::vector<std::string>{"system:playback_1", "system:playback_2"}));
    EXPECT_TRUE(line.noEditor);
    EXPECT_TRUE(line.midi);
    EXPECT_EQ(line.seconds, 2.5);

    EXPECT_EQ(parseCommandLine({"live", "p.so", "--output", "speaker:in"}).outputPorts,
        std::vector<std::string>{"speaker:in"});
    EXPECT_TRUE(parseCommandLine({"live", "p.so", "--no-connect"}).noConnect);
}
