#include "shell/ParameterTable.h"

#include "engine/AmpEngine.h"
#include "plugin/ParameterFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

static_assert(std::size(kChannelNames) == kNumChannels, "a name for every channel of the engine");

constexpr std::size_t kDisplaySize = 15;           // longest text and its terminator
constexpr double kOneTwentyFourth = 0.041666668f;  // the float nearest 1/24 (24 dB range)

void writeNumber(char* text, double value)
{
    std::snprintf(text, kDisplaySize, "%f", value);
}

// A knob shown on a 0 to 10 scale.
void displayTenths(float value, char* text)
{
    writeNumber(text, value * 10.0);
}

// The input-gain factor as its normalised value: 20 log10(gain) / 24 + 0.5. Displayed through
// the factor, so the text shows the gain the amp applies.
double inputGainToValue(float gain)
{
    return 20.0 * std::log10(static_cast<double>(gain)) * kOneTwentyFourth + 0.5;
}

}  // namespace

// clang-format off
const ParameterRow kParameterTable[kNumParams] = {
    {"master", "db", 0.25f, 0,
        [](AmpEngine& e, float v) { e.setMaster(v); },
        [](const AmpEngine& e) { return e.master(); },
        [](const AmpEngine& e, char* text) { dB2string(e.master(), text); }},
    {"drive", "drive", 0.3f, 1,
        [](AmpEngine& e, float v) { e.setDrive(v); },
        [](const AmpEngine& e) { return e.drive(); },
        [](const AmpEngine& e, char* text) { displayTenths(e.drive(), text); }},
    {"bass", "bass", 0.5f, 2,
        [](AmpEngine& e, float v) { e.setBass(v); },
        [](const AmpEngine& e) { return e.bass(); },
        [](const AmpEngine& e, char* text) { displayTenths(e.bass(), text); }},
    {"mid", "mid", 0.5f, 3,
        [](AmpEngine& e, float v) { e.setMid(v); },
        [](const AmpEngine& e) { return e.mid(); },
        [](const AmpEngine& e, char* text) { displayTenths(e.mid(), text); }},
    {"treble", "treble", 0.5f, 4,
        [](AmpEngine& e, float v) { e.setTreble(v); },
        [](const AmpEngine& e) { return e.treble(); },
        [](const AmpEngine& e, char* text) { displayTenths(e.treble(), text); }},
    {"presence", "presence", 0.0f, 5,
        [](AmpEngine& e, float v) { e.setPresence(v); },
        [](const AmpEngine& e) { return e.presence(); },
        [](const AmpEngine& e, char* text) { displayTenths(e.presence(), text); }},
    {"Voicing", "Voicing", 0.0f, 7,
        [](AmpEngine& e, float v) { e.setVoicing(v); },
        [](const AmpEngine& e) { return e.voicing(); },
        [](const AmpEngine& e, char* text) { writeNumber(text, e.voicing()); }},
    // The value as set reads back: through the gain's logarithm, one value in five would come
    // back a step off, and a saved song would reopen with a slightly different gain.
    {"Input gain", "db", 0.5f, kNotInPrograms,
        [](AmpEngine& e, float v) { e.setInputGain(v); },
        [](const AmpEngine& e) { return e.inputGainValue(); },
        [](const AmpEngine& e, char* text) { writeNumber(text, (inputGainToValue(e.inputGain()) - 0.5) * 24.0); }},
    {"Bypass cabinet", "cabinet", 0.0f, kNotInPrograms,
        [](AmpEngine& e, float v) { e.setCabinetBypass(v); },
        [](const AmpEngine& e) { return e.cabinetActive() ? 0.0f : 1.0f; },
        [](const AmpEngine& e, char* text) { std::strcpy(text, e.cabinetActive() ? "cab active" : "cab bypassed"); }},
    // Reads back normalised, so that a song saved with this value reopens on the same channel:
    // channelFromValue maps 0.0, 0.5 and 1.0 back to clean, crunch and ultra.
    {"channel", "channel", 0.0f, 6,
        [](AmpEngine& e, float v) { e.setChannel(channelFromValue(v)); },
        [](const AmpEngine& e) { return static_cast<float>(e.channel()) * 0.5f; },
        [](const AmpEngine& e, char* text) { std::strcpy(text, kChannelNames[e.channel()]); }},
};
// clang-format on

int32_t editorTagOf(int32_t index, float value)
{
    return index == kChannel ? kChannelTagBase + channelFromValue(value) : index;
}
