// The grimbolt-host command line: what the user asked for, parsed and checked for form.
// Whether a parameter or program name exists is decided later, against the loaded plug-in.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Wrong arguments: the tool answers with this message and the usage text.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

enum class CommandKind { Help, Info, Render, Demo, EditorShot, Edit, Live };

struct ParameterSetting {
    std::string name;  // as the plug-in reports it; matched without regard to case
    float value;       // normalised, 0 to 1
};

struct CommandLine {
    static constexpr int kDefaultBlockSize = 512;
    static constexpr const char* kDefaultDemoDirectory = "grimbolt-demo";
    static constexpr const char* kDefaultClientName = "grimbolt";

    CommandKind kind = CommandKind::Help;
    std::string pluginPath;
    std::string inputPath;                                // render
    std::string outputPath;                               // render, editor-shot
    std::string outputDirectory = kDefaultDemoDirectory;  // demo
    std::optional<int> sampleRate;                        // render: the input file's rate when absent
    int blockSize = kDefaultBlockSize;                    // render
    std::optional<int> channel;                           // render: 1-based; the mean of all when absent
    std::optional<std::string> program;      // render, editor-shot, edit, live: a number or a name
    std::vector<ParameterSetting> settings;  // render, editor-shot, edit, live: in the given order

    // live
    std::string clientName = kDefaultClientName;  // the JACK client's name
    std::optional<std::string> inputPort;         // connected to "in" instead of the first capture port
    std::vector<std::string> outputPorts;         // one or two, for out_left and out_right
    bool noConnect = false;                       // connect nothing
    bool noEditor = false;                        // no panel
    bool midi = false;                            // a MIDI input port, "midi_in"
    std::optional<double> seconds;                // stop after this long; run until stopped when absent
};

// args excludes the program name; throws UsageError.
CommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText();
