#include "lv2/turtle/BundleTurtle.h"

#include "lv2/PortLayout.h"
#include "lv2/PortUnits.h"
#include "plugin/Parameters.h"
#include "shell/ParameterTable.h"
#include "shell/ProgramBank.h"

#include <cctype>
#include <cstdio>
#include <iterator>

namespace {

constexpr const char* kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n\n";

// A float that reads back as the same float, in Turtle's decimal or double syntax.
std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    std::string result = text;
    if (result.find_first_of(".e") == std::string::npos)
        result += ".0";
    return result;
}

std::string presetUri(const char* programName)
{
    return std::string(kPluginUri) + "#preset-" + portSymbol(programName);
}

// The bank's own programs: the values a fresh instance holds (program 0) and the factory
// presets.
const ProgramBank& bank()
{
    static const ProgramBank programs;
    return programs;
}

void writeAudioPort(
    std::ostream& out, uint32_t index, const char* direction, const char* symbol, const char* name)
{
    out << "    [\n        a lv2:AudioPort , lv2:" << direction << " ;\n        lv2:index " << index
        << " ;\n        lv2:symbol \"" << symbol << "\" ;\n        lv2:name \"" << name << "\"\n    ]";
}

void writeControlPort(std::ostream& out, int32_t parameter)
{
    const ParameterRow& row = kParameterTable[parameter];
    const PortUnit& unit = portUnitOf(parameter);
    const float normalised
        = row.storedInPrograms() ? static_cast<float>(bank()[0].values[parameter]) : row.defaultValue;
    out << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index "
        << controlPortOf(parameter) << " ;\n        lv2:symbol \"" << portSymbol(row.name)
        << "\" ;\n        lv2:name \"" << row.name << "\" ;\n        lv2:default "
        << number(portFromNormalised(parameter, normalised)) << " ;\n        lv2:minimum "
        << number(unit.minimum) << " ;\n        lv2:maximum " << number(unit.maximum);
    if (unit.unit)
        out << " ;\n        units:unit units:" << unit.unit;
    if (unit.scale == PortScale::kMasterDb)
        out << " ;\n        rdfs:comment \"" << number(kMasterFloorDb) << " dB is silence\"";
    if (unit.scale == PortScale::kToggle)
        out << " ;\n        lv2:portProperty lv2:toggled";
    if (unit.scale == PortScale::kChannel) {
        out << " ;\n        lv2:portProperty lv2:integer , lv2:enumeration";
        // The panel's channel names without their " channel".
        for (int32_t channel = 0; channel < static_cast<int32_t>(std::size(kChannelNames)); ++channel) {
            const std::string name = kChannelNames[channel];
            out << " ;\n        lv2:scalePoint [ rdfs:label \"" << name.substr(0, name.find(' '))
                << "\" ; rdf:value " << channel << " ]";
        }
    }
    out << "\n    ]";
}

}  // namespace

std::string portSymbol(const char* name)
{
    std::string symbol;
    for (const char* c = name; *c; ++c)
        symbol += std::isalnum(static_cast<unsigned char>(*c))
            ? static_cast<char>(std::tolower(static_cast<unsigned char>(*c)))
            : '_';
    return symbol;
}

void writeManifest(std::ostream& out, const BundleFiles& files)
{
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << files.dspBinary
        << "> ;\n    rdfs:seeAlso <" << kPluginTurtle << "> .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n    ui:binary <" << files.uiBinary
        << "> ;\n    lv2:requiredFeature ui:parent , ui:idleInterface ;\n"
           "    lv2:optionalFeature ui:resize , ui:touch ;\n    lv2:extensionData ui:idleInterface .\n";
    for (int32_t program = 0; program < kNumFactoryPrograms; ++program)
        out << "\n<" << presetUri(bank()[program].name) << ">\n    a pset:Preset ;\n    lv2:appliesTo <"
            << kPluginUri << "> ;\n    rdfs:label \"" << bank()[program].name << "\" ;\n    rdfs:seeAlso <"
            << kPresetsTurtle << "> .\n";
}

void writePluginDescription(std::ostream& out)
{
    out << kPrefixes;
    out << "<" << kPluginUri
        << ">\n    a lv2:Plugin , lv2:AmplifierPlugin , doap:Project ;\n    doap:name \"Grimbolt\" ;\n"
        << "    doap:maintainer [ foaf:name \"Kelvaro Sound Lab\" ] ;\n"
        << "    lv2:minorVersion 0 ;\n    lv2:microVersion 0 ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable ;\n    ui:ui <" << kUiUri << "> ;\n    lv2:port\n";
    writeAudioPort(out, kAudioInputPort, "InputPort", "in", "Input");
    out << " ,\n";
    writeAudioPort(out, kAudioOutputPorts[0], "OutputPort", "out_1", "Output 1");
    out << " ,\n";
    writeAudioPort(out, kAudioOutputPorts[1], "OutputPort", "out_2", "Output 2");
    for (int32_t parameter = 0; parameter < kNumParams; ++parameter) {
        out << " ,\n";
        writeControlPort(out, parameter);
    }
    out << " .\n";
}

void writePresets(std::ostream& out)
{
    out << kPrefixes;
    for (int32_t program = 0; program < kNumFactoryPrograms; ++program) {
        const AmpProgram& stored = bank()[program];
        out << "<" << presetUri(stored.name) << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
            << "> ;\n    rdfs:label \"" << stored.name << "\" ;\n    lv2:port";
        const char* separator = "\n";
        for (int32_t parameter = 0; parameter < kNumParams; ++parameter) {
            if (!kParameterTable[parameter].storedInPrograms())
                continue;
            out << separator << "        [ lv2:symbol \"" << portSymbol(kParameterTable[parameter].name)
                << "\" ; pset:value " << number(portFromNormalised(parameter, stored.values[parameter]))
                << " ]";
            separator = " ,\n";
        }
        out << " .\n\n";
    }
}
