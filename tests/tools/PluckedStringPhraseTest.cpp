#include "tools/grimbolt-host/PluckedStringPhrase.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Magnitude of the DFT of x[begin, end) at frequency f.
double magnitudeAt(const std::vector<float>& x, size_t begin, size_t end, double f, int fs)
{
    double re = 0.0;
    double im = 0.0;
    for (size_t n = begin; n < end; ++n) {
        const double phase = 2.0 * kPi * f * static_cast<double>(n - begin) / fs;
        re += x[n] * std::cos(phase);
        im -= x[n] * std::sin(phase);
    }
    return std::hypot(re, im);
}

}  // namespace

TEST(PluckedStringPhrase, SameSamplesOnEveryRenderAndBoundedByThePeakLevel)
{
    for (int fs : {44100, 48000, 96000}) {
        const std::vector<float> first = PluckedStringPhrase::render(fs);
        const std::vector<float> second = PluckedStringPhrase::render(fs);
        ASSERT_EQ(first, second) << "fs = " << fs;
        ASSERT_EQ(first.size(), static_cast<size_t>(PluckedStringPhrase::kDurationSeconds * fs))
            << "fs = " << fs;
        float peak = 0.0f;
        for (float sample : first) {
            ASSERT_TRUE(std::isfinite(sample)) << "fs = " << fs;
            peak = std::max(peak, std::fabs(sample));
        }
        EXPECT_FLOAT_EQ(peak, PluckedStringPhrase::kPeakLevel) << "fs = " << fs;
    }
}

TEST(PluckedStringPhrase, EachNoteSoundsAtItsPitchAndTheChordRingsToTheEnd)
{
    constexpr int fs = 48000;
    const std::vector<float> phrase = PluckedStringPhrase::render(fs);
    const auto at = [](double seconds) { return static_cast<size_t>(seconds * fs); };
    // Windows inside each single note, away from the neighbouring plucks.
    struct Note {
        double begin, end, pitch, otherPitch;
    };
    const Note notes[] = {
        {0.05, 0.45, 82.41, 110.00},   // E2 against A2
        {0.55, 0.95, 110.00, 146.83},  // A2 against D3
        {1.05, 1.45, 146.83, 110.00},  // D3 against A2
        {1.55, 2.15, 123.47, 146.83},  // B2 against D3
    };
    for (const Note& note : notes) {
        const double own = magnitudeAt(phrase, at(note.begin), at(note.end), note.pitch, fs);
        const double other = magnitudeAt(phrase, at(note.begin), at(note.end), note.otherPitch, fs);
        EXPECT_GT(own, 10.0 * other) << "note at " << note.pitch << " Hz, from " << note.begin << " s";
    }
    double tailEnergy = 0.0;
    for (size_t n = at(4.5); n < phrase.size(); ++n) {
        tailEnergy += static_cast<double>(phrase[n]) * phrase[n];
    }
    const double tailRms = std::sqrt(tailEnergy / static_cast<double>(phrase.size() - at(4.5)));
    EXPECT_GT(20.0 * std::log10(tailRms), -50.0) << "the chord has died before the end";
}
