#include "tools/grimbolt-host/CommandLine.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// Block sizes beyond this are no host's; the cap keeps a typo from allocating gigabytes.
constexpr long kMaxBlockSize = 65536;
// The highest sample rate any audio interface offers today.
constexpr long kMaxSampleRate = 768000;
// A WAV file counts its channels in 16 bits; whether the file has the one asked for is known
// only once it is read.
constexpr long kMaxChannel = 65535;
// A live run's --seconds: up to a day.
constexpr double kMaxLiveSeconds = 86400.0;

long parseInteger(const std::string& text, const std::string& what, long low, long high)
{
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || number < low || number > high) {
        throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to "
            + std::to_string(high) + ", not \"" + text + "\"");
    }
    return number;
}

ParameterSetting parseSetting(const std::string& text)
{
    const size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        throw UsageError("--set expects NAME=VALUE, not \"" + text + "\"");
    }
    const std::string valueText = text.substr(equals + 1);
    char* end = nullptr;
    const float value = std::strtof(valueText.c_str(), &end);
    if (valueText.empty() || *end != '\0' || !std::isfinite(value) || value < 0.0f || value > 1.0f) {
        throw UsageError("the value in \"" + text + "\" must be a normalised number from 0 to 1");
    }
    return {text.substr(0, equals), value};
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args)
        : args_(args)
    {
    }

    bool done() const { return next_ >= args_.size(); }
    const std::string& peek() const { return args_[next_]; }
    const std::string& take() { return args_[next_++]; }

    const std::string& valueOf(const std::string& option)
    {
        if (done()) {
            throw UsageError(option + " needs a value");
        }
        return take();
    }

private:
    const std::vector<std::string>& args_;
    size_t next_ = 0;
};

bool isOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-' && arg[1] == '-';
}

// --program and --set, which render, editor-shot and edit share; false for any other option.
bool parseSettingOption(const std::string& option, ArgumentReader& reader, CommandLine& line)
{
    if (option == "--program") {
        line.program = reader.valueOf(option);
    } else if (option == "--set") {
        line.settings.push_back(parseSetting(reader.valueOf(option)));
        // "--set a=1 b=0.5" sets both: further NAME=VALUE words belong to the same option.
        while (!reader.done() && !isOption(reader.peek()) && reader.peek().find('=') != std::string::npos) {
            line.settings.push_back(parseSetting(reader.take()));
        }
    } else {
        return false;
    }
    return true;
}

void parseRenderOption(const std::string& option, ArgumentReader& reader, CommandLine& line)
{
    if (parseSettingOption(option, reader, line)) {
        return;
    } else if (option == "--rate") {
        line.sampleRate = static_cast<int>(parseInteger(reader.valueOf(option), "--rate", 1, kMaxSampleRate));
    } else if (option == "--block") {
        line.blockSize = static_cast<int>(parseInteger(reader.valueOf(option), "--block", 1, kMaxBlockSize));
    } else if (option == "--channel") {
        line.channel = static_cast<int>(parseInteger(reader.valueOf(option), "--channel", 1, kMaxChannel));
    } else {
        throw UsageError("unknown option " + option);
    }
}

double parseSeconds(const std::string& text)
{
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0.0
        || seconds > kMaxLiveSeconds)
        throw UsageError("--seconds must be a number of seconds above 0 and at most "
            + std::to_string(static_cast<long>(kMaxLiveSeconds)) + ", not \"" + text + "\"");
    return seconds;
}

// PORT or PORT,PORT: JACK port names, which hold no commas.
std::vector<std::string> parseOutputPorts(const std::string& text)
{
    const size_t comma = text.find(',');
    std::vector<std::string> ports{text.substr(0, comma)};
    if (comma != std::string::npos)
        ports.push_back(text.substr(comma + 1));
    for (const std::string& port : ports) {
        if (port.empty() || port.find(',') != std::string::npos)
            throw UsageError("--output expects PORT or PORT,PORT, not \"" + text + "\"");
    }
    return ports;
}

void parseLiveOption(const std::string& option, ArgumentReader& reader, CommandLine& line)
{
    if (parseSettingOption(option, reader, line)) {
        return;
    } else if (option == "--name") {
        line.clientName = reader.valueOf(option);
        if (line.clientName.empty())
            throw UsageError("--name needs a client name");
    } else if (option == "--input") {
        line.inputPort = reader.valueOf(option);
        if (line.inputPort->empty())
            throw UsageError("--input needs a port name");
    } else if (option == "--output") {
        line.outputPorts = parseOutputPorts(reader.valueOf(option));
    } else if (option == "--no-connect") {
        line.noConnect = true;
    } else if (option == "--no-editor") {
        line.noEditor = true;
    } else if (option == "--midi") {
        line.midi = true;
    } else if (option == "--seconds") {
        line.seconds = parseSeconds(reader.valueOf(option));
    } else {
        throw UsageError("unknown option " + option);
    }
}

CommandKind commandKindOf(const std::string& word)
{
    if (word == "info")
        return CommandKind::Info;
    if (word == "render")
        return CommandKind::Render;
    if (word == "demo")
        return CommandKind::Demo;
    if (word == "editor-shot")
        return CommandKind::EditorShot;
    if (word == "edit")
        return CommandKind::Edit;
    if (word == "live")
        return CommandKind::Live;
    if (word == "help" || word == "--help" || word == "-h")
        return CommandKind::Help;
    throw UsageError("unknown command \"" + word + "\"");
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    if (args.empty()) {
        throw UsageError("no command given");
    }
    CommandLine line;
    line.kind = commandKindOf(args.front());
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    ArgumentReader reader(rest);
    std::vector<std::string> positional;
    while (!reader.done()) {
        const std::string& arg = reader.take();
        if (!isOption(arg)) {
            positional.push_back(arg);
        } else if (line.kind == CommandKind::Render) {
            parseRenderOption(arg, reader, line);
        } else if (line.kind == CommandKind::Live) {
            parseLiveOption(arg, reader, line);
        } else if (line.kind == CommandKind::EditorShot || line.kind == CommandKind::Edit) {
            if (!parseSettingOption(arg, reader, line))
                throw UsageError("unknown option " + arg);
        } else {
            throw UsageError("unknown option " + arg);
        }
    }

    switch (line.kind) {
    case CommandKind::Help:
        if (!positional.empty())
            throw UsageError("help takes no arguments");
        break;
    case CommandKind::Info:
        if (positional.size() != 1)
            throw UsageError("info expects exactly one PLUGIN");
        line.pluginPath = positional[0];
        break;
    case CommandKind::Render:
        if (positional.size() != 3)
            throw UsageError("render expects PLUGIN IN.wav OUT.wav");
        line.pluginPath = positional[0];
        line.inputPath = positional[1];
        line.outputPath = positional[2];
        break;
    case CommandKind::Demo:
        if (positional.empty() || positional.size() > 2)
            throw UsageError("demo expects PLUGIN [OUTDIR]");
        line.pluginPath = positional[0];
        if (positional.size() == 2)
            line.outputDirectory = positional[1];
        break;
    case CommandKind::EditorShot:
        if (positional.size() != 2)
            throw UsageError("editor-shot expects PLUGIN OUT.png");
        line.pluginPath = positional[0];
        line.outputPath = positional[1];
        break;
    case CommandKind::Edit:
        if (positional.size() != 1)
            throw UsageError("edit expects exactly one PLUGIN");
        line.pluginPath = positional[0];
        break;
    case CommandKind::Live:
        if (positional.size() != 1)
            throw UsageError("live expects exactly one PLUGIN");
        if (line.noConnect && (line.inputPort || !line.outputPorts.empty()))
            throw UsageError(
                "--no-connect connects nothing; leave out --input and --output, or --no-connect");
        line.pluginPath = positional[0];
        break;
    }
    return line;
}

std::string usageText()
{
    return "usage:\n"
           "  grimbolt-host info PLUGIN\n"
           "      print the plug-in's identity, parameters and programs\n"
           "  grimbolt-host render PLUGIN IN.wav OUT.wav [--rate R] [--block N] [--channel N]\n"
           "                       [--program N|NAME] [--set NAME=VALUE ...]\n"
           "      play a WAV file through the plug-in and write a stereo float WAV; a file of\n"
           "      several channels goes in as their mean, or as the one --channel picks,\n"
           "      counted from 1 (1 is the left of a stereo file); the rate defaults to the\n"
           "      input file's, the block to "
        + std::to_string(CommandLine::kDefaultBlockSize)
        + " frames; NAME is a parameter name\n"
          "      as 'info' lists it (any case) and VALUE a normalised value from 0 to 1\n"
          "  grimbolt-host demo PLUGIN [OUTDIR]\n"
          "      synthesise a plucked-guitar phrase, render it through the first four programs\n"
          "      into OUTDIR (default "
        + std::string(CommandLine::kDefaultDemoDirectory)
        + ") and print their levels\n"
          "  grimbolt-host editor-shot PLUGIN OUT.png [--program N|NAME] [--set NAME=VALUE ...]\n"
          "      open the plug-in's editor and save what it shows as a PNG\n"
          "  grimbolt-host edit PLUGIN [--program N|NAME] [--set NAME=VALUE ...]\n"
          "      open the plug-in's editor in a window and print every parameter change it\n"
          "      reports until the window is closed\n"
          "  grimbolt-host live PLUGIN [--program N|NAME] [--set NAME=VALUE ...] [--name CLIENT]\n"
          "                     [--input PORT] [--output PORT[,PORT]] [--no-connect]\n"
          "                     [--no-editor] [--midi] [--seconds S]\n"
          "      (Linux) play through the plug-in live as a JACK client named CLIENT (default\n"
          "      "
        + std::string(CommandLine::kDefaultClientName)
        + ") with ports in, out_left and out_right, connected to the first physical\n"
          "      capture and playback ports unless --input, --output or --no-connect say\n"
          "      otherwise; with its panel unless --no-editor; --midi adds a port midi_in\n"
          "      (Program Change n picks program n, Control Changes 20 to 29 set parameters 0\n"
          "      to 9); runs until the window is closed, Ctrl-C, or the end of --seconds\n"
          "  grimbolt-host help\n";
}
