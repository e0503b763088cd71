// The MIDI messages that steer the plug-in in a live run, on any MIDI channel: Program Change n
// picks program n, and Control Changes 20 to 29 set parameters 0 to 9 (in the order `info`
// lists them) to value/127. Every other message means nothing here.
#pragma once

#include <cstddef>
#include <cstdint>

struct LiveChange {
    enum class Kind : uint8_t { None, Program, Parameter };

    Kind kind = Kind::None;
    int32_t index = 0;       // the program or the parameter
    float value = 0.0f;      // Parameter: the normalised value
    uint8_t controller = 0;  // Parameter: the Control Change number it came from
};

namespace MidiControl {

constexpr uint8_t kFirstController = 20;
constexpr uint8_t kControllerCount = 10;

// One complete message (status byte first, as JACK delivers them); Kind::None for anything that
// is not a program change or one of the ten controllers. Whether the plug-in has that program or
// parameter is for the caller to check.
LiveChange decode(const uint8_t* bytes, size_t size);

}  // namespace MidiControl
