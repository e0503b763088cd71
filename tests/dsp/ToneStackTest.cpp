#include "dsp/ToneStack.h"

#include "dsp/FilterDesign.h"

#include "FrequencyResponse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr double kFs = 176400.0;
constexpr double kPi = 3.141592653589793;

ToneStack::Coefficients toneStackAt(float bass, float mid, float treble)
{
    ToneStack::Coefficients stack;
    designToneStack(bass, mid, treble, static_cast<float>(kFs), stack);
    return stack;
}

std::vector<float> responseOf(const Biquad::Coefficients& section)
{
    return impulseResponseOf<Biquad>(section, 65536);
}

// Where a peaking section of centre f0 and quality q reaches half its dB gain, below f0
// (the analog band edge, mapped through the bilinear warp).
double lowerHalfGainEdge(double f0, double q)
{
    const double analog = (std::sqrt(1.0 / (q * q) + 4.0) - 1.0 / q) / 2.0;
    return kFs / kPi * std::atan(analog * std::tan(kPi * f0 / kFs));
}
}  // namespace

TEST(ToneStack, ControlsSetShelfDipsAndMidCentre)
{
    using Section = Biquad::Coefficients ToneStack::Coefficients::*;
    const Section bassShelf = &ToneStack::Coefficients::bassSection,
                  midDip = &ToneStack::Coefficients::midSection,
                  trebleDip = &ToneStack::Coefficients::trebleSection;
    // A 200 Hz shelf at 176.4 kHz has poles so close to 1 that its float coefficients move
    // its DC gain by up to 0.03 dB.
    const double shelfTolerance = 0.05, tolerance = 0.01;
    const struct {
        const char* name;
        float bass, mid, treble;
        Section section;
        double probeHz, expectedDb, toleranceDb;
    } cases[] = {
        {"centre: bass shelf at DC", 0.0f, 0.0f, 0.0f, bassShelf, 0.0, -5.5, shelfTolerance},
        {"centre: bass shelf far above", 0.0f, 0.0f, 0.0f, bassShelf, 40000.0, 0.0, tolerance},
        {"centre: mid dip", 0.0f, 0.0f, 0.0f, midDip, 500.0, -28.5, tolerance},
        {"centre: treble dip", 0.0f, 0.0f, 0.0f, trebleDip, 2850.0, -12.5, tolerance},
        {"bass 0", -0.5f, 0.0f, 0.0f, bassShelf, 0.0, -13.0, shelfTolerance},
        {"bass 1", 0.5f, 0.0f, 0.0f, bassShelf, 0.0, 2.0, shelfTolerance},
        {"treble 0", 0.0f, 0.0f, -0.5f, trebleDip, 2850.0, -23.0, tolerance},
        {"treble 1", 0.0f, 0.0f, 0.5f, trebleDip, 2850.0, -2.0, tolerance},
        {"mid 1: depth", 0.0f, 0.5f, 0.0f, midDip, 500.0, -21.0, tolerance},
        {"mid 1: Q 0.75", 0.0f, 0.5f, 0.0f, midDip, lowerHalfGainEdge(500.0, 0.75), -10.5, 0.05},
        {"mid 0: depth", 0.0f, -0.5f, 0.0f, midDip, 500.0, -36.0, tolerance},
        {"mid 0: Q 1.25", 0.0f, -0.5f, 0.0f, midDip, lowerHalfGainEdge(500.0, 1.25), -18.0, 0.05},
        // Full depth is reached only at the centre frequency.
        {"treble 0: mid centre", 0.0f, 0.0f, -0.5f, midDip, 500.0, -28.5, tolerance},
        {"treble 0.75: mid centre", 0.0f, 0.0f, 0.25f, midDip, 400.0, -28.5, tolerance},
        {"treble 1: mid centre", 0.0f, 0.0f, 0.5f, midDip, 300.0, -28.5, tolerance},
    };
    for (const auto& c : cases) {
        const ToneStack::Coefficients stack = toneStackAt(c.bass, c.mid, c.treble);
        EXPECT_NEAR(gainDb(responseOf(stack.*c.section), c.probeHz, kFs), c.expectedDb, c.toleranceDb)
            << c.name;
    }
}

TEST(ToneStack, RunsItsThreeSectionsInSeries)
{
    const ToneStack::Coefficients sections = toneStackAt(0.0f, 0.0f, 0.0f);
    const std::vector<float> chain = impulseResponseOf<ToneStack>(sections, 65536);
    // Each probe sits where one section dips by 5.5 dB or more, so a missing one shows.
    for (double hz : {0.0, 500.0, 2850.0}) {
        const std::complex<double> product = responseAt(responseOf(sections.bassSection), hz, kFs)
            * responseAt(responseOf(sections.midSection), hz, kFs)
            * responseAt(responseOf(sections.trebleSection), hz, kFs);
        EXPECT_NEAR(gainDb(chain, hz, kFs), 20.0 * std::log10(std::abs(product)), 0.2) << hz << " Hz";
    }
}
