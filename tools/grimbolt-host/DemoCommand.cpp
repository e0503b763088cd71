#include "tools/grimbolt-host/DemoCommand.h"

#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"
#include "tools/grimbolt-host/SignalLevels.h"
#include "tools/grimbolt-host/WavFile.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iomanip>
#include <system_error>

namespace {

constexpr int kDemoSampleRate = 48000;
constexpr int kDemoBlockSize = 512;
// The factory sounds come first in the bank: default, clean, crunch, high gain.
constexpr int32_t kFactoryPrograms = 4;

// "high gain" becomes "high-gain": file names without blanks or separators.
std::string fileNameFor(int32_t index, const std::string& programName)
{
    std::string name = std::to_string(index) + "-";
    for (char c : programName) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
    }
    return name + ".wav";
}

void printRow(
    std::ostream& out, const std::string& label, const std::string& file, const SignalLevels& levels)
{
    out << std::left << std::setw(16) << label << std::setw(20) << file << std::right << std::fixed
        << std::setprecision(1) << std::setw(10) << levels.peakDbfs << std::setw(10) << levels.rmsDbfs
        << '\n';
}

}  // namespace

void runDemoCommand(const std::string& pluginPath, const std::string& outputDirectory, std::ostream& out)
{
    PluginLibrary library(pluginPath);
    HostCallback host;

    std::vector<std::string> programNames;
    {
        PluginInstance plugin(library, host);
        for (int32_t i = 0; i < std::min(kFactoryPrograms, plugin.numPrograms()); ++i) {
            programNames.push_back(plugin.programName(i));
        }
    }

    std::error_code error;
    std::filesystem::create_directories(outputDirectory, error);
    if (error) {
        throw HostError("cannot create " + outputDirectory + ": " + error.message());
    }
    const std::filesystem::path directory(outputDirectory);

    AudioClip input;
    input.sampleRate = kDemoSampleRate;
    input.channels.push_back(PluckedStringPhrase::render(kDemoSampleRate));
    WavFile::write((directory / "input.wav").string(), input);

    out << std::left << std::setw(16) << "program" << std::setw(20) << "file" << std::right << std::setw(10)
        << "peak dBFS" << std::setw(10) << "RMS dBFS" << '\n';
    printRow(out, "(input)", "input.wav", SignalLevels::measure(input));
    for (int32_t i = 0; i < static_cast<int32_t>(programNames.size()); ++i) {
        const RenderSettings settings{kDemoSampleRate, kDemoBlockSize, std::to_string(i), {}};
        const AudioClip output = renderThroughPlugin(library, host, input, settings);
        const std::string file = fileNameFor(i, programNames[static_cast<size_t>(i)]);
        WavFile::write((directory / file).string(), output);
        printRow(out, std::to_string(i) + " " + programNames[static_cast<size_t>(i)], file,
            SignalLevels::measure(output));
    }
    out << "wrote " << programNames.size() + 1 << " files to " << outputDirectory << '\n';
}
