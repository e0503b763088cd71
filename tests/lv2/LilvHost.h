// A small LV2 host on lilv for the tests and the benchmark: loads the built bundle, finds the
// plug-in, and runs instances of it with their control ports in an array it owns.
#pragma once

#include <lilv/lilv.h>

#include <cstdint>
#include <string>
#include <vector>

// The world with the bundle loaded and a URID map for the presets' values.
class LilvBundle {
public:
    explicit LilvBundle(const std::string& bundleDirectory);
    ~LilvBundle();
    LilvBundle(const LilvBundle&) = delete;
    LilvBundle& operator=(const LilvBundle&) = delete;

    LilvWorld* world() const { return world_; }
    // Null when the bundle does not describe the plug-in.
    const LilvPlugin* plugin() const { return plugin_; }
    LV2_URID_Map* map() { return &map_; }
    // The URID of uri, made on first use.
    uint32_t urid(const char* uri);
    // The preset's URI string for its label; empty when there is none.
    std::string presetUri(const std::string& label) const;

private:
    static uint32_t mapUri(void* handle, const char* uri);

    LilvWorld* world_;
    const LilvPlugin* plugin_ = nullptr;
    std::vector<std::string> uris_;
    LV2_URID_Map map_;
};

// One running instance; every control port connected to values(), the audio ports to the
// buffers of each run.
class LilvAmp {
public:
    // Starts at the ports' defaults; activate() follows.
    LilvAmp(LilvBundle& bundle, double sampleRate);
    ~LilvAmp();
    LilvAmp(const LilvAmp&) = delete;
    LilvAmp& operator=(const LilvAmp&) = delete;

    bool isValid() const { return instance_ != nullptr; }
    void setPort(const char* symbol, float value);
    float port(const char* symbol) const;
    // Sets the ports the preset stores; false for an unknown preset.
    bool applyPreset(const std::string& label);
    void activate() { lilv_instance_activate(instance_); }
    void deactivate() { lilv_instance_deactivate(instance_); }

    // One block: input to both outputs.
    void run(const float* input, float* output0, float* output1, uint32_t frames);
    // The whole input in blocks of blockSize; the first output.
    std::vector<float> render(const std::vector<float>& input, uint32_t blockSize);

    LilvInstance* instance() const { return instance_; }

private:
    static void setPresetValue(
        const char* symbol, void* self, const void* value, uint32_t size, uint32_t type);
    uint32_t indexOf(const char* symbol) const;

    LilvBundle& bundle_;
    LilvInstance* instance_;
    std::vector<float> controls_;  // by port index; audio ports' slots unused
};
