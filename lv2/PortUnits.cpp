#include "lv2/PortUnits.h"

#include "plugin/ParameterFormat.h"
#include "plugin/Parameters.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr float kInputGainRangeDb = 24.0f;
// Enough float steps either side of the nominal port value to find one that converts back
// exactly: a port step moves a dB value by less than a step of the factor it stands for.
constexpr int kRoundTripSearchSteps = 8;

const PortUnit kTenths{PortScale::kTenths, 0.0f, 10.0f, nullptr};

// clang-format off
const PortUnit kPortUnits[] = {
    {PortScale::kMasterDb, kMasterFloorDb, 0.0f, "db"},      // master
    kTenths,                                                 // drive
    kTenths,                                                 // bass
    kTenths,                                                 // mid
    kTenths,                                                 // treble
    kTenths,                                                 // presence
    kTenths,                                                 // voicing
    {PortScale::kInputGainDb, -12.0f, 12.0f, "db"},          // input gain
    {PortScale::kToggle, 0.0f, 1.0f, nullptr},               // bypass cabinet
    {PortScale::kChannel, 0.0f, 2.0f, nullptr},              // channel
};
// clang-format on
static_assert(std::size(kPortUnits) == kNumParams, "a unit for every parameter");

// The nominal conversion, before any search for an exact round trip.
float nominalPortValue(PortScale scale, float normalised)
{
    switch (scale) {
    case PortScale::kTenths:
        return normalised * 10.0f;
    case PortScale::kMasterDb:
        return normalised > 0.0f
            ? std::max(kMasterFloorDb, static_cast<float>(20.0 * std::log10(static_cast<double>(normalised))))
            : kMasterFloorDb;
    case PortScale::kInputGainDb:
        return (normalised - 0.5f) * kInputGainRangeDb;
    case PortScale::kChannel:
        return static_cast<float>(channelFromValue(normalised));
    case PortScale::kToggle:
        return normalised == 1.0f ? 1.0f : 0.0f;
    }
    return 0.0f;
}

bool isContinuous(PortScale scale)
{
    return scale == PortScale::kTenths || scale == PortScale::kMasterDb || scale == PortScale::kInputGainDb;
}

}  // namespace

const PortUnit& portUnitOf(int32_t parameter)
{
    return kPortUnits[parameter];
}

float normalisedFromPort(int32_t parameter, float portValue)
{
    const PortUnit& unit = kPortUnits[parameter];
    const float value = std::clamp(portValue, unit.minimum, unit.maximum);
    switch (unit.scale) {
    case PortScale::kTenths:
        return value / 10.0f;
    case PortScale::kMasterDb:
        return value <= kMasterFloorDb ? 0.0f : static_cast<float>(std::pow(10.0, value / 20.0));
    case PortScale::kInputGainDb:
        return static_cast<float>(static_cast<double>(value) / kInputGainRangeDb + 0.5);
    case PortScale::kChannel:
        // 0.0, 0.5 and 1.0, as the channel reads back in the parameter table.
        return std::round(value) * 0.5f;
    case PortScale::kToggle:
        return value >= 0.5f ? 1.0f : 0.0f;
    }
    return 0.0f;
}

float portFromNormalised(int32_t parameter, float normalised)
{
    const PortUnit& unit = kPortUnits[parameter];
    const float nominal = std::clamp(nominalPortValue(unit.scale, normalised), unit.minimum, unit.maximum);
    if (!isContinuous(unit.scale))
        return nominal;
    float below = nominal;
    float above = nominal;
    for (int step = 0; step <= kRoundTripSearchSteps; ++step) {
        if (normalisedFromPort(parameter, below) == normalised)
            return below;
        if (normalisedFromPort(parameter, above) == normalised)
            return above;
        below = std::nextafter(below, unit.minimum);
        above = std::nextafter(above, unit.maximum);
    }
    return nominal;
}
