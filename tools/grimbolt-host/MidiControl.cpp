#include "tools/grimbolt-host/MidiControl.h"

namespace {

constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kProgramChange = 0xC0;
constexpr uint8_t kDataMask = 0x7F;
constexpr float kDataMaximum = 127.0f;

}  // namespace

LiveChange MidiControl::decode(const uint8_t* bytes, size_t size)
{
    LiveChange change;
    if (size < 2 || (bytes[1] & ~kDataMask) != 0)
        return change;
    const uint8_t kind = bytes[0] & 0xF0;
    if (kind == kProgramChange) {
        change.kind = LiveChange::Kind::Program;
        change.index = bytes[1];
    } else if (kind == kControlChange && size >= 3 && (bytes[2] & ~kDataMask) == 0
        && bytes[1] >= kFirstController && bytes[1] < kFirstController + kControllerCount) {
        change.kind = LiveChange::Kind::Parameter;
        change.index = bytes[1] - kFirstController;
        change.value = static_cast<float>(bytes[2]) / kDataMaximum;
        change.controller = bytes[1];
    }
    return change;
}
