// Each control port in the units its parameter's display text uses, so that a host's generic
// controls show what the panel shows: knobs 0 to 10, the gains in dB, the channel as an
// enumeration, the cabinet bypass as a toggle. Converts between a port value and the
// normalised value (the knob position) the parameter table applies, so that the same knob
// position gives the engine the same value through either plug-in format.
#pragma once

#include <cstdint>

enum class PortScale {
    kTenths,       // 0 to 10, the normalised value times ten
    kMasterDb,     // the linear factor in dB; the floor stands for silence
    kInputGainDb,  // -12 to +12 dB across the normalised range
    kChannel,      // 0 clean, 1 crunch, 2 ultra
    kToggle,       // 0 or 1
};

struct PortUnit {
    PortScale scale;
    float minimum;
    float maximum;
    const char* unit;  // the LV2 units vocabulary's name, or null
};

// The master's floor. The panel's knob cannot show a level between silence and its first
// step (1/62, about -36 dB), and LV2 hosts draw a slider linear in the port's unit, so a floor
// much lower would spend the slider's travel on levels below hearing; -60 dB under a full-scale
// amp is already inaudible, and the floor itself is silence, as the knob at 0 is.
constexpr float kMasterFloorDb = -60.0f;

// By parameter index.
const PortUnit& portUnitOf(int32_t parameter);

// The knob position a port value stands for; values outside the port's range are held to it.
// Only for finite values.
float normalisedFromPort(int32_t parameter, float portValue);

// The port value that shows a knob position. Where the unit conversion is not exact, the
// nearest float that converts back to the very same position, if one lies a few steps away.
float portFromNormalised(int32_t parameter, float normalised);
