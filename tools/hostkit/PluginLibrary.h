// A VST 2 plug-in library loaded from disk, and its entry point.
// Linux looks the entry up as "VSTPluginMain", then "main"; Windows as "main".
// The platform part (opening the file, finding the symbol) lives in one source per platform.
#pragma once

#include "plugin/vst/VstInterface.h"

#include <string>

class PluginLibrary {
public:
    // Loads the library at path; throws HostError for a missing file, a file that is not a
    // loadable library, or a library without a VST 2 entry.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Calls the entry with the host's callback; throws HostError when it answers null or
    // with a record that lacks the 'VstP' magic.
    AEffect* instantiate(audioMasterCallback host) const;

    const std::string& path() const { return path_; }

private:
    // Platform part: open, look up the entry (throwing HostError) and close.
    void open();
    void close();

    std::string path_;
    void* handle_ = nullptr;  // dlopen handle or HMODULE
    VstEntryProc entry_ = nullptr;
};
