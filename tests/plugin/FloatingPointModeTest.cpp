// Every call that runs the amp sets flush-to-zero and denormals-are-zero for itself. A host's
// own floating-point mode must come back unchanged from each, whatever mode it runs in, or
// the host's and other plug-ins' arithmetic would change behind their backs.
#include "TestHost.h"

#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <functional>
#include <string>

namespace {

constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;
constexpr unsigned kRounding = 0x6000;
constexpr unsigned kControlBits = 0xffc0;  // the low six bits are exception flags any arithmetic sets

}  // namespace

TEST(FloatingPointMode, EveryAudioEntryGivesTheCallersModeBack)
{
    TestHost host;
    AEffect* effect = host.load();
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    host.dispatch(effMainsChanged, 0, 1);
    float input[64] = {0.5f}, left[64] = {}, right[64] = {};
    float* inputs[] = {input};
    float* outputs[] = {left, right};
    const std::pair<const char*, std::function<void()>> entries[] = {
        {"processReplacing", [&] { effect->processReplacing(effect, inputs, outputs, 64); }},
        {"process", [&] { effect->process(effect, inputs, outputs, 64); }},
        {"an empty block", [&] { effect->processReplacing(effect, inputs, outputs, 0); }},
        {"a silent master",
            [&] {
                host.setParameter(0, 0.0f);
                effect->processReplacing(effect, inputs, outputs, 64);
                host.setParameter(0, 0.5f);
            }},
        {"setParameter", [&] { host.setParameter(1, 0.7f); }},
        {"effSetProgram", [&] { host.dispatch(effSetProgram, 0, 3); }},
        {"effSetSampleRate", [&] { host.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f); }},
    };
    const unsigned original = _mm_getcsr();
    for (unsigned flush : {0u, kFlushToZero, kDenormalsAreZero, kFlushToZero | kDenormalsAreZero}) {
        for (unsigned rounding : {0x0000u, 0x2000u, 0x4000u, 0x6000u}) {
            const unsigned mode
                = (original & ~(kFlushToZero | kDenormalsAreZero | kRounding)) | flush | rounding;
            for (const auto& [name, entry] : entries) {
                _mm_setcsr(mode);
                entry();
                const unsigned after = _mm_getcsr();
                _mm_setcsr(original);
                EXPECT_EQ(after & kControlBits, mode & kControlBits)
                    << name << ", mode " << std::hex << mode << " came back as " << after;
            }
        }
    }
}
