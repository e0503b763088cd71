#include "engine/AmpEngine.h"

#include "dsp/FilterDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

bool sameCoefficients(const Biquad::Coefficients& a, const Biquad::Coefficients& b)
{
    return a.b0 == b.b0 && a.b1 == b.b1 && a.b2 == b.b2 && a.a1 == b.a1 && a.a2 == b.a2;
}

bool sameCoefficients(const OnePoleFilter::Coefficients& a, const OnePoleFilter::Coefficients& b)
{
    return a.pole == b.pole && a.lowGain == b.lowGain && a.highGain == b.highGain;
}

// Everything a setter or a rate change designs, compared coefficient by coefficient.
void expectSameConfiguration(const AmpEngine& engineA, const AmpEngine& engineB, const char* what)
{
    const AmpSettings a = engineA.design(), b = engineB.design();
    for (int i = 0; i < AmpEngine::kNumStages; ++i) {
        const TriodeStage::Coefficients& x = a.preamp.stages[i];
        const TriodeStage::Coefficients& y = b.preamp.stages[i];
        EXPECT_EQ(x.gain, y.gain) << what << ", stage " << i;
        EXPECT_EQ(x.biasScale, y.biasScale) << what << ", stage " << i;
        EXPECT_EQ(x.plateScale, y.plateScale) << what << ", stage " << i;
        EXPECT_TRUE(sameCoefficients(x.inputFilter, y.inputFilter)) << what << ", stage " << i;
        EXPECT_TRUE(sameCoefficients(x.plateFilter, y.plateFilter)) << what << ", stage " << i;
        EXPECT_TRUE(sameCoefficients(x.couplingFilter, y.couplingFilter)) << what << ", stage " << i;
    }
    EXPECT_TRUE(sameCoefficients(a.channelFilter, b.channelFilter)) << what;
    EXPECT_TRUE(sameCoefficients(a.toneStack.bassSection, b.toneStack.bassSection)) << what;
    EXPECT_TRUE(sameCoefficients(a.toneStack.midSection, b.toneStack.midSection)) << what;
    EXPECT_TRUE(sameCoefficients(a.toneStack.trebleSection, b.toneStack.trebleSection)) << what;
    EXPECT_TRUE(sameCoefficients(a.powerAmp.voicingFilter, b.powerAmp.voicingFilter)) << what;
    EXPECT_EQ(a.powerAmp.lowBoost, b.powerAmp.lowBoost) << what;
    EXPECT_TRUE(sameCoefficients(a.preamp.feedbackFilter, b.preamp.feedbackFilter)) << what;
}

void applySong(AmpEngine& engine)
{
    engine.setDrive(0.7f);
    engine.setBass(0.8f);
    engine.setMid(0.2f);
    engine.setTreble(0.9f);
    engine.setVoicing(0.35f);
    engine.setPresence(0.6f);
    engine.setChannel(2);
}

}  // namespace

TEST(AmpEngineSettings, AFreshEngineSoundsLikeTheCleanChannelWithItsControlsAtTheirDefaults)
{
    // The defaults a host never sets are heard: the fresh engine's output must equal, bit for
    // bit, that of one whose controls were set to those values.
    AmpEngine fresh, set;
    set.setChannel(0);
    set.setMaster(0.25f);
    set.setDrive(0.4f);
    set.setBass(0.5f);
    set.setMid(0.5f);
    set.setTreble(0.5f);
    set.setPresence(0.0f);
    set.setVoicing(0.0f);
    set.setInputGain(0.5f);
    set.setCabinetBypass(0.0f);
    std::vector<float> input(2048), expected(input.size()), actual(input.size()), other(input.size());
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
    for (AmpEngine* engine : {&fresh, &set})
        engine->setSampleRate(44100.0f);
    set.processReplacing(input.data(), expected.data(), other.data(), 2048);
    fresh.processReplacing(input.data(), actual.data(), other.data(), 2048);
    EXPECT_EQ(std::memcmp(actual.data(), expected.data(), sizeof(float) * input.size()), 0);
}

TEST(AmpEngineSettings, StageGainsFollowChannelAndDrive)
{
    AmpEngine engine;
    engine.setDrive(0.5f);
    const struct {
        int32_t channel;
        float gain;
        float lowBoost;
    } cases[] = {{2, 45.0f, 0.7071f}, {0, 5.0f, 2.0f}, {1, 10.0f, 1.0f}};
    for (const auto& c : cases) {
        engine.setChannel(c.channel);
        for (int i = 0; i < AmpEngine::kNumStages; ++i)
            EXPECT_EQ(engine.design().preamp.stages[i].gain, c.gain)
                << "channel " << c.channel << ", stage " << i;
        EXPECT_EQ(engine.design().powerAmp.lowBoost, c.lowBoost) << "channel " << c.channel;
    }
    engine.setDrive(0.2f);  // on crunch
    for (int i = 0; i < AmpEngine::kNumStages; ++i)
        EXPECT_EQ(engine.design().preamp.stages[i].gain, 4.0f) << "stage " << i;
}

TEST(AmpEngineSettings, ChannelNumbersOutsideTheRangeAreHeldToIt)
{
    AmpEngine engine;
    engine.setChannel(7);
    EXPECT_EQ(engine.channel(), 2);
    engine.setChannel(-3);
    EXPECT_EQ(engine.channel(), 0);
}

TEST(AmpEngineSettings, CleanToCrunchChangesOnlyGainsAndLowBoost)
{
    AmpEngine clean, crunch;
    clean.setSampleRate(48000.0f);
    crunch.setSampleRate(48000.0f);
    crunch.setChannel(1);
    for (int i = 0; i < AmpEngine::kNumStages; ++i) {
        EXPECT_TRUE(sameCoefficients(
            clean.design().preamp.stages[i].inputFilter, crunch.design().preamp.stages[i].inputFilter))
            << i;
        EXPECT_EQ(crunch.design().preamp.stages[i].gain, 2.0f * clean.design().preamp.stages[i].gain) << i;
    }
    EXPECT_TRUE(sameCoefficients(clean.design().channelFilter, crunch.design().channelFilter));
    EXPECT_TRUE(sameCoefficients(clean.design().toneStack.midSection, crunch.design().toneStack.midSection));
    EXPECT_NE(clean.design().powerAmp.lowBoost, crunch.design().powerAmp.lowBoost);
}

TEST(AmpEngineSettings, InputGainMapsTheControlToPlusMinusTwelveDecibels)
{
    AmpEngine engine;
    const struct {
        float value, gain;
    } cases[] = {{0.5f, 1.0f}, {0.0f, 0.25118864f}, {1.0f, 3.9810717f}, {0.75f, 1.9952623f}};
    for (const auto& c : cases) {
        engine.setInputGain(c.value);
        EXPECT_FLOAT_EQ(engine.inputGain(), c.gain) << "value " << c.value;
    }
    engine.setInputGain(0.5f);
    EXPECT_EQ(engine.inputGain(), 1.0f);  // exactly unity, not merely close
}

TEST(AmpEngineSettings, SampleRateSelectsTheDecimatorAndRunsThePreRoll)
{
    AmpEngine engine;
    const struct {
        float rate;
        int taps;
    } cases[] = {{44100.0f, 13}, {48000.0f, 15}, {88200.0f, 27}, {96000.0f, 29}};
    for (const auto& c : cases) {
        const int32_t sign = engine.denormalSign();
        engine.setSampleRate(c.rate);
        EXPECT_EQ(engine.decimator().length(), c.taps) << c.rate;
        EXPECT_EQ(engine.denormalSign(), -sign) << "the pre-roll is one block, rate " << c.rate;
    }
    engine.setMaster(0.0f);
    const int32_t sign = engine.denormalSign();
    engine.setSampleRate(44100.0f);
    EXPECT_EQ(engine.denormalSign(), sign) << "no pre-roll with the master at 0";
}

TEST(AmpEngineSettings, UnsupportedRateKeepsTheKernelsButFollowsTheRate)
{
    AmpEngine engine;
    engine.setSampleRate(96000.0f);
    for (float rate : {32000.0f, 44100.5f}) {
        engine.setSampleRate(rate);
        EXPECT_EQ(engine.sampleRate(), rate);
        EXPECT_EQ(engine.decimator().length(), 29) << rate;
        ToneStack::Coefficients expected;
        designToneStack(0.0f, 0.0f, 0.0f, 4.0f * rate, expected);
        EXPECT_TRUE(sameCoefficients(engine.design().toneStack.midSection, expected.midSection)) << rate;
    }
}

TEST(AmpEngineSettings, FirstUnsupportedRateBorrowsTheNearestKernels)
{
    const struct {
        float rate;
        int taps;
    } cases[] = {{22050.0f, 13}, {46500.0f, 15}, {50000.0f, 15}, {192000.0f, 29}};
    for (const auto& c : cases) {
        AmpEngine engine;
        engine.setSampleRate(c.rate);
        EXPECT_TRUE(engine.isReady()) << c.rate;
        EXPECT_EQ(engine.decimator().length(), c.taps) << c.rate;
    }
}

TEST(AmpEngineSettings, UnusableRatesAreIgnored)
{
    AmpEngine engine;
    engine.setSampleRate(48000.0f);
    for (float rate : {0.0f, -44100.0f, NAN, INFINITY, 1e9f}) {
        engine.setSampleRate(rate);
        EXPECT_EQ(engine.sampleRate(), 48000.0f) << rate;
    }
}

TEST(AmpEngineSettings, SampleRateKeepsTheChannelToneAndVoicing)
{
    AmpEngine engine, reference;
    applySong(engine);
    engine.setSampleRate(48000.0f);
    reference.setSampleRate(48000.0f);
    applySong(reference);
    expectSameConfiguration(engine, reference, "song restored before the rate");

    AmpEngine again;
    again.setSampleRate(48000.0f);
    applySong(again);
    again.setSampleRate(48000.0f);
    expectSameConfiguration(again, reference, "the same rate a second time");
}

// The shelf's gain at DC, in dB.
double dcGainDb(const Biquad::Coefficients& b)
{
    return 20.0 * std::log10(std::fabs((b.b0 + b.b1 + b.b2) / (1.0 + b.a1 + b.a2)));
}

TEST(AmpEngineSettings, BassMovesTheLowShelfFromMinusThirteenToPlusTwoDecibels)
{
    AmpEngine engine;
    const struct {
        float bass;
        double db;
    } cases[] = {{0.0f, -13.0}, {0.5f, -5.5}, {1.0f, 2.0}};
    for (const auto& c : cases) {
        engine.setBass(c.bass);
        engine.setTreble(0.9f);  // the other controls leave the shelf alone
        EXPECT_NEAR(dcGainDb(engine.design().toneStack.bassSection), c.db, 0.05) << "bass " << c.bass;
    }
}

TEST(AmpEngineSettings, VoicingMovesThePowerAmpAllPass)
{
    AmpEngine engine;
    engine.setVoicing(0.5f);
    PowerAmp::Coefficients expected;
    expected.configure(4.0f * 44100.0f);
    expected.setVoicing(300.0f, 4.0f * 44100.0f);  // 320 + 300 = 620 Hz
    EXPECT_TRUE(sameCoefficients(engine.design().powerAmp.voicingFilter, expected.voicingFilter));
    EXPECT_EQ(engine.presence(), 0.0f);
    engine.setPresence(0.7f);
    EXPECT_EQ(engine.design().powerAmp.presence, 0.7f);
}
