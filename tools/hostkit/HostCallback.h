// The host's side of the VST 2 conversation: answers what a plug-in asks through its
// audioMaster callback (version, sample rate, block size, host identity) and keeps a log of
// the automation the plug-in reports. One HostCallback may serve several effects in turn.
#pragma once

#include "plugin/vst/VstInterface.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

struct AutomationEvent {
    int32_t index;  // parameter index
    float value;    // normalised value the plug-in reported
};

class HostCallback {
public:
    static constexpr intptr_t kHostVstVersion = 2400;
    static constexpr const char* kVendorString = "Kelvaro Sound Lab";
    static constexpr const char* kProductString = "grimbolt-host";
    static constexpr intptr_t kVendorVersion = 1000;

    // Keeps this host reachable for the requests an effect makes while its entry runs,
    // before the host knows the effect's record; bind() takes over afterwards.
    class ConstructionScope {
    public:
        explicit ConstructionScope(HostCallback& host);
        ~ConstructionScope();
        ConstructionScope(const ConstructionScope&) = delete;
        ConstructionScope& operator=(const ConstructionScope&) = delete;

    private:
        HostCallback* previous_;
    };

    // The function handed to a plug-in's entry; routes each request to its HostCallback.
    static intptr_t VST_CALLBACK entry(
        AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    // Routes the effect's later requests to this host (through the record's user field).
    void bind(AEffect& effect) { effect.user = this; }

    void setSampleRate(double rate) { sampleRate_ = rate; }
    void setBlockSize(int32_t frames) { blockSize_ = frames; }
    double sampleRate() const { return sampleRate_; }
    int32_t blockSize() const { return blockSize_; }

    const std::vector<AutomationEvent>& automation() const { return automation_; }
    // Called with each automation event as the plug-in reports it (the effect already holds
    // the new value).
    void setAutomationListener(std::function<void(const AutomationEvent&)> listener)
    {
        automationListener_ = std::move(listener);
    }

    // Answers one request; effect is null for requests made before an effect exists.
    intptr_t answer(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

private:
    double sampleRate_ = 44100.0;
    int32_t blockSize_ = 512;
    std::vector<AutomationEvent> automation_;
    std::function<void(const AutomationEvent&)> automationListener_;
};
