// The ten automatable parameters: their indices (also the editor's control tags 0 to 8;
// the channel notifies tag 9 + channel number), names and labels as the host shows them.
#pragma once

#include <cstdint>

enum ParameterIndex : int32_t {
    kMaster = 0,
    kDrive,
    kBass,
    kMid,
    kTreble,
    kPresence,
    kVoicing,
    kInputGain,
    kBypassCabinet,
    kChannel,
    kNumParams
};

// Editor tag for the channel notifications: kChannelTagBase + channel number.
constexpr int32_t kChannelTagBase = 9;

inline constexpr const char* kParameterNames[kNumParams] = {"master", "drive", "bass", "mid", "treble",
    "presence", "Voicing", "Input gain", "Bypass cabinet", "channel"};

inline constexpr const char* kParameterLabels[kNumParams]
    = {"db", "drive", "bass", "mid", "treble", "presence", "Voicing", "db", "cabinet", "channel"};

inline constexpr bool isParameterIndex(int32_t index)
{
    return index >= 0 && index < kNumParams;
}
