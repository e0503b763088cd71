// The LV2 bundle's run against grimbolt.so's processReplacing on the same phrase: the factory
// presets against effSetProgram, random knob positions through ports and through
// setParameter, at the engine's four rates and the block sizes hosts use.
#include "tests/lv2/LilvHost.h"
#include "tests/lv2/VstReference.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"

#include "plugin/Parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <random>
#include <string>

namespace {

constexpr double kPhraseSeconds = 1.0;

std::vector<float> phrase(double rate)
{
    std::vector<float> samples = PluckedStringPhrase::render(static_cast<int>(rate));
    samples.resize(static_cast<size_t>(rate * kPhraseSeconds));
    return samples;
}

// Index of the first differing sample, or -1.
long firstDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    const auto where = std::mismatch(a.begin(), a.end(), b.begin());
    return where.first == a.end() ? -1 : static_cast<long>(where.first - a.begin());
}

struct PresetCase {
    int32_t program;
    const char* label;
    double rate;
    uint32_t blockSize;
};

void PrintTo(const PresetCase& c, std::ostream* out)
{
    *out << c.label << " at " << c.rate << " Hz in blocks of " << c.blockSize;
}

class PresetMatch : public ::testing::TestWithParam<PresetCase> { };

// Ports in the display's units, computed here from the knob positions on their own terms,
// and the knob position a port value stands for.
struct PortSetting {
    const char* symbol;
    int32_t parameter;
    float (*toPort)(float knob);
    float (*toKnob)(float port);
};

float tenths(float x)
{
    return x * 10.0f;
}

float fromTenths(float p)
{
    return static_cast<float>(static_cast<double>(p) / 10.0);
}

float same(float x)
{
    return x;
}

const PortSetting kPortSettings[] = {
    {"master", kMaster, [](float x) { return static_cast<float>(20.0 * std::log10(static_cast<double>(x))); },
        [](float p) { return static_cast<float>(std::pow(10.0, static_cast<double>(p) / 20.0)); }},
    {"drive", kDrive, tenths, fromTenths},
    {"bass", kBass, tenths, fromTenths},
    {"mid", kMid, tenths, fromTenths},
    {"treble", kTreble, tenths, fromTenths},
    {"presence", kPresence, tenths, fromTenths},
    {"voicing", kVoicing, tenths, fromTenths},
    {"input_gain", kInputGain, [](float x) { return (x - 0.5f) * 24.0f; },
        [](float p) { return static_cast<float>(static_cast<double>(p) / 24.0 + 0.5); }},
    {"bypass_cabinet", kBypassCabinet, same, same},
    {"channel", kChannel, [](float x) { return x * 2.0f; }, [](float p) { return p / 2.0f; }},
};

// A knob position for setting: anywhere in the range, or (exact) one the float arithmetic of
// the conversions carries both ways without rounding.
float knobPosition(const PortSetting& setting, std::mt19937& random, bool exact)
{
    const float x = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
    if (setting.parameter == kChannel)
        return std::round(x * 2.0f) / 2.0f;
    if (setting.parameter == kBypassCabinet)
        return std::round(x);
    if (setting.parameter == kMaster)
        return exact ? 1.0f : 0.05f + x * 0.95f;
    return exact ? std::round(x * 4.0f) / 4.0f : x;
}

}  // namespace

TEST_P(PresetMatch, SameSamplesAsTheProgramInTheVst2Plugin)
{
    const PresetCase c = GetParam();
    const std::vector<float> input = phrase(c.rate);
    VstReference vst(c.rate, static_cast<int32_t>(c.blockSize));
    vst.instance().setProgram(c.program);
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    LilvAmp lv2(bundle, c.rate);
    ASSERT_TRUE(lv2.isValid());
    ASSERT_TRUE(lv2.applyPreset(c.label));
    lv2.activate();
    const std::vector<float> expected = vst.render(input);
    const std::vector<float> rendered = lv2.render(input, c.blockSize);
    EXPECT_EQ(firstDifference(rendered, expected), -1);
    EXPECT_GT(*std::max_element(expected.begin(), expected.end()), 0.01f) << "the phrase is heard";
}

INSTANTIATE_TEST_SUITE_P(Presets, PresetMatch,
    ::testing::Values(PresetCase{0, "default", 48000, 1}, PresetCase{1, "clean", 48000, 64},
        PresetCase{2, "crunch", 48000, 4096}, PresetCase{3, "high gain", 48000, 1},
        PresetCase{3, "high gain", 48000, 64}, PresetCase{3, "high gain", 48000, 4096},
        PresetCase{2, "crunch", 44100, 64}, PresetCase{3, "high gain", 44100, 4096},
        PresetCase{1, "clean", 88200, 64}, PresetCase{3, "high gain", 88200, 4096},
        PresetCase{2, "crunch", 96000, 64}, PresetCase{3, "high gain", 96000, 1},
        // Rates beyond the engine's four, which both formats hand it alike.
        PresetCase{3, "high gain", 32000, 64}, PresetCase{2, "crunch", 192000, 256}),
    [](const ::testing::TestParamInfo<PresetCase>& test) {
        return "program" + std::to_string(test.param.program) + "_at"
            + std::to_string(static_cast<int>(test.param.rate)) + "Hz_blocks"
            + std::to_string(test.param.blockSize);
    });

// Where the unit conversion is exact the samples equal those of the same knob positions set
// through setParameter. Elsewhere a port value cannot always stand for the very knob position
// (a float in tenths has fewer steps than the position it came from); it then stands for a
// neighbouring one, and the samples equal those of that position.
TEST(PortSettings, RandomKnobPositionsSoundAsThroughSetParameter)
{
    std::mt19937 random(20261208);
    const double rate = 48000;
    const std::vector<float> input = phrase(rate);
    for (int round = 0; round < 8; ++round) {
        const bool exact = round % 2 == 0;
        VstReference vst(rate, 64);
        LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
        LilvAmp lv2(bundle, rate);
        bool portsExact = true;
        for (const PortSetting& setting : kPortSettings) {
            const float x = knobPosition(setting, random, exact);
            const float port = setting.toPort(x);
            const float standsFor = setting.toKnob(port);
            EXPECT_LE(std::fabs(standsFor - x), std::fabs(std::nextafter(x, standsFor) - x))
                << setting.symbol << " at " << x << " stands for " << standsFor;
            portsExact = portsExact && standsFor == x;
            vst.instance().setParameter(setting.parameter, standsFor);
            lv2.setPort(setting.symbol, port);
        }
        if (exact) {
            EXPECT_TRUE(portsExact) << "round " << round;
        }
        lv2.activate();
        const std::vector<float> expected = vst.render(input);
        EXPECT_EQ(firstDifference(lv2.render(input, 64), expected), -1) << "round " << round;
        EXPECT_GT(*std::max_element(expected.begin(), expected.end()), 0.0f) << "round " << round;
    }
}
