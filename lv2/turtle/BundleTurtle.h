// The bundle's Turtle documents, written from the parameter table, the program bank and the
// port layout, so that names, defaults, ranges and presets always follow the code.
#pragma once

#include <ostream>
#include <string>

struct BundleFiles {
    std::string dspBinary;  // file names inside the bundle
    std::string uiBinary;
};

// The manifest: the plug-in, its UI and its presets, with the files describing them.
void writeManifest(std::ostream& out, const BundleFiles& files);
// The plug-in: identity, ports, the UI it has.
void writePluginDescription(std::ostream& out);
// The factory programs, each as a preset of the ports its program stores.
void writePresets(std::ostream& out);

// The port symbol of a parameter name: lower case, spaces as underscores.
std::string portSymbol(const char* name);

inline constexpr const char* kPluginTurtle = "grimbolt.ttl";
inline constexpr const char* kPresetsTurtle = "presets.ttl";
