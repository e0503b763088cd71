#include "tools/grimbolt-host/InfoCommand.h"

#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <cctype>
#include <cstdio>
#include <iomanip>

namespace {

// The VST 2 plug-in categories by number.
const char* categoryName(int32_t category)
{
    static const char* const kNames[] = {
        "unknown",
        "effect",
        "synth",
        "analysis",
        "mastering",
        "spatializer",
        "room fx",
        "surround fx",
        "restoration",
        "offline",
        "shell",
        "generator",
    };
    const int32_t count = static_cast<int32_t>(sizeof kNames / sizeof kNames[0]);
    return category >= 0 && category < count ? kNames[category] : "not a known category";
}

std::string hex32(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

// A unique ID is four characters packed big-endian ('tub1' is 0x74756231).
std::string fourCharacters(int32_t id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        text += std::isprint(static_cast<unsigned char>(c)) ? c : '.';
    }
    return text;
}

std::string flagNames(int32_t flags)
{
    struct Flag {
        int32_t bit;
        const char* name;
    };
    static const Flag kFlags[] = {
        {effFlagsHasEditor, "has editor"},
        {effFlagsCanReplacing, "can replace"},
        {effFlagsProgramChunks, "program chunks"},
    };
    std::string names;
    int32_t unnamed = flags;
    for (const Flag& flag : kFlags) {
        if (flags & flag.bit) {
            names += (names.empty() ? "" : ", ") + std::string(flag.name);
            unnamed &= ~flag.bit;
        }
    }
    if (unnamed != 0) {
        names += (names.empty() ? "other bits " : ", other bits ") + hex32(unnamed);
    }
    return hex32(flags) + (names.empty() ? "" : " (" + names + ")");
}

void printIdentity(const PluginInstance& plugin, const std::string& path, std::ostream& out)
{
    const auto row
        = [&out](const char* key) -> std::ostream& { return out << std::left << std::setw(17) << key; };
    row("Plug-in:") << path << '\n';
    row("Effect name:") << plugin.effectName() << '\n';
    row("Vendor:") << plugin.vendorString() << '\n';
    row("Product:") << plugin.productString() << '\n';
    row("Vendor version:") << plugin.vendorVersion() << '\n';
    row("Unique ID:") << hex32(plugin.uniqueId()) << " '" << fourCharacters(plugin.uniqueId()) << "'\n";
    row("Category:") << plugin.category() << " (" << categoryName(plugin.category()) << ")\n";
    row("VST version:") << plugin.vstVersion() << '\n';
    row("Flags:") << flagNames(plugin.flags()) << '\n';
    row("Inputs:") << plugin.numInputs() << '\n';
    row("Outputs:") << plugin.numOutputs() << '\n';
    row("Programs:") << plugin.numPrograms() << '\n';
    row("Parameters:") << plugin.numParameters() << '\n';
}

void printParameters(const PluginInstance& plugin, std::ostream& out)
{
    out << "\nParameters:\n";
    out << std::right << std::setw(7) << "index"
        << "  " << std::left << std::setw(16) << "name" << std::setw(10) << "label" << std::setw(11)
        << "value"
        << "display\n";
    for (int32_t i = 0; i < plugin.numParameters(); ++i) {
        out << std::right << std::setw(7) << i << "  " << std::left << std::setw(16)
            << plugin.parameterName(i) << std::setw(10) << plugin.parameterLabel(i) << std::setw(11)
            << std::fixed << std::setprecision(6) << plugin.parameter(i) << plugin.parameterDisplay(i)
            << '\n';
    }
}

void printPrograms(const PluginInstance& plugin, std::ostream& out)
{
    out << "\nPrograms (current " << plugin.currentProgram() << "):\n";
    for (int32_t i = 0; i < plugin.numPrograms(); ++i) {
        out << std::right << std::setw(7) << i << "  " << plugin.programName(i) << '\n';
    }
}

void printAutomation(const HostCallback& host, std::ostream& out)
{
    out << "\nAutomation received from the plug-in: ";
    if (host.automation().empty()) {
        out << "none\n";
        return;
    }
    out << host.automation().size() << " event(s)\n";
    for (const AutomationEvent& event : host.automation()) {
        out << "  parameter " << event.index << " = " << event.value << '\n';
    }
}

}  // namespace

void runInfoCommand(const std::string& pluginPath, std::ostream& out)
{
    PluginLibrary library(pluginPath);
    HostCallback host;
    {
        PluginInstance plugin(library, host);
        printIdentity(plugin, library.path(), out);
        printParameters(plugin, out);
        printPrograms(plugin, out);
    }
    printAutomation(host, out);
}
