#include "engine/AmpEngine.h"

#include "dsp/FilterDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
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

// A small tone's response through the amp at 48 kHz, as a complex gain: the output's
// component at the tone over the input's, over whole periods once the amp has settled. The
// tone is a whole number of cycles in the window but not in any shorter span, so float
// rounding along the chain does not repeat in step with it.
std::complex<double> toneResponse(int32_t channel, float drive, double amplitude, double frequency)
{
    const double rate = 48000.0, pi = 3.141592653589793;
    const size_t settle = 24000, window = 9600;
    AmpEngine engine;
    engine.setSampleRate(static_cast<float>(rate));
    engine.setChannel(channel);
    engine.setDrive(drive);
    std::vector<float> x(settle + window), left(x.size()), right(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<float>(amplitude * std::sin(2.0 * pi * frequency * static_cast<double>(i) / rate));
    engine.processReplacing(x.data(), left.data(), right.data(), static_cast<int32_t>(x.size()));
    std::complex<double> in, out;
    for (size_t i = settle; i < x.size(); ++i) {
        const std::complex<double> w = std::polar(1.0, -2.0 * pi * frequency * static_cast<double>(i) / rate);
        in += static_cast<double>(x[i]) * w;
        out += static_cast<double>(left[i]) * w;
    }
    return out / in;
}

// H(d) = k·d³ / (1 + m·d) through the responses at the lowest and highest of four drives, and
// how far the two between lie off it, relative.
struct SmallSignalFit {
    std::complex<double> k, m;
    double bend = 0.0;
};

SmallSignalFit fitSmallSignal(int32_t channel, double level, double frequency)
{
    const float drives[] = {0.1f, 0.2f, 0.3f, 0.4f};
    std::complex<double> line[4];  // d³/H
    for (int i = 0; i < 4; ++i) {
        const double d = drives[i];
        line[i] = d * d * d / toneResponse(channel, drives[i], level / d, frequency);
    }
    const std::complex<double> slope = (line[3] - line[0]) / static_cast<double>(drives[3] - drives[0]);
    const std::complex<double> intercept = line[0] - slope * static_cast<double>(drives[0]);
    SmallSignalFit fit{1.0 / intercept, slope / intercept};
    for (int i = 1; i < 3; ++i)
        fit.bend = std::max(
            fit.bend, std::abs(line[i] / (intercept + slope * static_cast<double>(drives[i])) - 1.0));
    return fit;
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

// The preamp as a small signal hears it: three stages, each amplifying by its channel's stage
// factor times the drive (times the triode curve's slope and the stage's filters, which no
// drive changes), the third inside a negative feedback loop. So the response at a tone is
// H(d) = k·d³ / (1 + m·d): d³/H is a straight line in the drive d, m (the loop gain per unit of
// drive) is proportional to the channel's stage factor, and k to its cube.
TEST(AmpEngineSettings, TheResponseHearsEachChannelsStageFactorTimesTheDriveInEveryStage)
{
    // Input amplitude times drive, per channel: small enough that each triode's grid swings
    // within a few straight pieces of its tabulated curve, where the amp is linear.
    const struct {
        int32_t channel;
        double level;
    } channels[] = {{0, 1e-4}, {1, 5e-5}, {2, 5e-6}};
    // The loop is heard best at 1 kHz, above its 500 Hz low-pass corner but still strong;
    // the gain through the stages at 8 kHz, where the channels' low boosts hardly reach.
    const double loopTone = 995.0, gainTone = 8005.0;
    SmallSignalFit fits[2][kNumChannels];
    for (int t = 0; t < 2; ++t) {
        for (const auto& c : channels) {
            fits[t][c.channel] = fitSmallSignal(c.channel, c.level, t == 0 ? loopTone : gainTone);
            // The signal rides on large operating points (the curve's table index near 75,
            // the power amp's sag near 1.6) whose float steps, at these levels, bend the line
            // by up to 0.5 %. A drive left out of one stage bends it by over 10 %.
            EXPECT_LT(fits[t][c.channel].bend, 0.01) << "channel " << c.channel << ", tone " << t;
        }
    }
    // Float steps move each loop gain by up to 0.5 %; a stage factor 5 % off moves the ratio
    // by 5 %.
    const std::complex<double> crunchOverClean = fits[0][1].m / fits[0][0].m;
    const std::complex<double> ultraOverCrunch = fits[0][2].m / fits[0][1].m;
    EXPECT_GT(fits[0][0].m.real(), 0.0) << "negative feedback takes gain back";
    EXPECT_LT(std::abs(crunchOverClean - 2.0), 0.03)
        << "crunch's stage factor is twice clean's: " << crunchOverClean;
    EXPECT_LT(std::fabs(ultraOverCrunch.imag()), 0.03 * ultraOverCrunch.real()) << "the same loop";
    EXPECT_GT(ultraOverCrunch.real(), 2.0) << "ultra's stage factor is many times crunch's";

    // Twice the stage factor in three stages is 8 times the gain, 18.06 dB. The channels'
    // low boosts differ: a 300 Hz low-pass added back after the preamp, 28 dB down at 8 kHz,
    // where a boost one higher lowers this ratio by under 0.1 dB.
    EXPECT_NEAR(20.0 * std::log10(std::abs(fits[1][1].k / fits[1][0].k)), 20.0 * std::log10(8.0), 0.15);
}

TEST(AmpEngineSettings, ChannelNumbersOutsideTheRangeAreHeldToIt)
{
    AmpEngine engine;
    engine.setChannel(7);
    EXPECT_EQ(engine.channel(), 2);
    engine.setChannel(-3);
    EXPECT_EQ(engine.channel(), 0);
}

TEST(AmpEngineSettings, CleanAndCrunchShareEveryFilterAndDifferInLowBoost)
{
    AmpEngine clean, crunch;
    clean.setSampleRate(48000.0f);
    crunch.setSampleRate(48000.0f);
    crunch.setChannel(1);
    for (int i = 0; i < AmpEngine::kNumStages; ++i) {
        EXPECT_TRUE(sameCoefficients(
            clean.design().preamp.stages[i].inputFilter, crunch.design().preamp.stages[i].inputFilter))
            << i;
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
