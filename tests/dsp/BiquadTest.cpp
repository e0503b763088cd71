#include "dsp/FilterDesign.h"

#include "FrequencyResponse.h"

#include <gtest/gtest.h>

TEST(Biquad, CookbookKindsHaveTheirDesignedGains)
{
    constexpr double fs = 48000.0;
    const double blocked = -INFINITY;  // a zero of the response: below -100 dB once measured
    const struct {
        const char* name;
        BiquadKind kind;
        double f0, q, designDb, probeHz, expectedDb;
    } cases[] = {
        {"band-pass at fs/4, peak", BiquadKind::BandPass, fs / 4, 1.414, 0.0, fs / 4, 0.0},
        {"band-pass at fs/4, DC", BiquadKind::BandPass, fs / 4, 1.414, 0.0, 0.0, blocked},
        {"high-pass, Nyquist", BiquadKind::HighPass, 1000.0, 0.7071, 0.0, fs / 2, 0.0},
        {"high-pass, cut-off", BiquadKind::HighPass, 1000.0, 0.7071, 0.0, 1000.0, -3.01},
        {"high-pass, DC", BiquadKind::HighPass, 1000.0, 0.7071, 0.0, 0.0, blocked},
        {"all-pass, below centre", BiquadKind::AllPass, 1000.0, 0.5, 0.0, 100.0, 0.0},
        {"all-pass, above centre", BiquadKind::AllPass, 1000.0, 0.5, 0.0, 9000.0, 0.0},
        {"peaking +12 dB, centre", BiquadKind::Peaking, 2000.0, 1.0, 12.0, 2000.0, 12.0},
        {"peaking -28.5 dB, centre", BiquadKind::Peaking, 500.0, 1.0, -28.5, 500.0, -28.5},
        {"peaking -28.5 dB, DC", BiquadKind::Peaking, 500.0, 1.0, -28.5, 0.0, 0.0},
        {"peaking 0 dB, 50 Hz", BiquadKind::Peaking, 1000.0, 2.0, 0.0, 50.0, 0.0},
        {"peaking 0 dB, centre", BiquadKind::Peaking, 1000.0, 2.0, 0.0, 1000.0, 0.0},
        {"low shelf +6 dB, DC", BiquadKind::LowShelf, 200.0, 1.0, 6.0, 0.0, 20.0 * std::log10(1.995)},
        {"low shelf +6 dB, Nyquist", BiquadKind::LowShelf, 200.0, 1.0, 6.0, fs / 2, 0.0},
        {"low shelf -13 dB, DC", BiquadKind::LowShelf, 200.0, 1.0, -13.0, 0.0, -13.0},
    };
    for (const auto& c : cases) {
        Biquad::Coefficients section;
        designBiquad(c.f0, fs, c.q, c.designDb, c.kind, section);
        Biquad::State state;
        const std::vector<float> h
            = impulseResponse([&](float x) { return Biquad::process(section, state, x); }, 32768);
        if (c.expectedDb == blocked)
            EXPECT_LT(gainDb(h, c.probeHz, fs), -100.0) << c.name;
        else
            EXPECT_NEAR(gainDb(h, c.probeHz, fs), c.expectedDb, 0.01) << c.name;
    }
}
