// The ten automatable parameters' indices, which are also the editor's control tags 0 to 8
// (the channel notifies tag 9 + channel number), and the channel names the effect's display
// and the editor's label show. The effect's table of parameters (ParameterTable.h) says
// everything else about each one.
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

inline constexpr const char* kChannelNames[] = {"clean channel", "crunch channel", "ultra channel"};

inline constexpr bool isParameterIndex(int32_t index)
{
    return index >= 0 && index < kNumParams;
}
