#include "CabinetSimulator.h"

#include <cmath>
#include <initializer_list>

namespace {

// The engine's cabinet: four 12-inch speakers, the microphone 5 inches from the miked cone.
constexpr int kSpeakerSize = 12;
constexpr int kMicDistance = 5;

// The bands drop as the microphone backs off: (13 - m)·0.75 - 12 dB within 13 inches,
// -12 dB beyond. At m = 5 that is -6 dB, a factor of 0.501187.
constexpr float kBandLevelDb = kMicDistance <= 13 ? (13 - kMicDistance) * 0.75f - 12.0f : -12.0f;

// Band centres are written for a 12-inch cone and scale inversely with the speaker size.
constexpr float kSizeScale = 12.0f / kSpeakerSize;

// The sub comb's notch spacing: 1000/(s/6) Hz with the integer s/6, 500 Hz for 12 inches.
constexpr float kSubCombFrequency = 1000.0f / (kSpeakerSize / 6);

// Lateral offsets (inches, for 12-inch speakers) from the miked cone to the four sources
// whose sound reaches the microphone late.
constexpr double kReflectionSpacings[4] = {10.0, 18.0, 15.8, 23.8};

// Each inch of extra path costs 0.295 dB on top of a 6 dB base loss; the first two paths
// (t = 10 and 18) are raised by 1.414 (+3 dB).
constexpr double kReflectionBaseDb = -6.0;
constexpr double kReflectionDbPerInch = -0.295;
constexpr double kNearPathLift = 1.414;

// Sound covers about 12000 inches per second in this model, so a path difference of
// delta inches is a delay of delta/12000 s: a comb "frequency" of 12000/delta.
constexpr double kInchesPerSecond = 12000.0;

// A comb gain above 99 dB means the delayed copy is added at full weight (k = 1).
constexpr float kFullWeightDb = 100.0f;

void rebuild(StateVariableFilter& filter, float fs, float frequency, float q, float gain, int mode)
{
    filter = StateVariableFilter{};  // a new filter starts from silence
    filter.configure(fs, frequency, q, gain, mode);
}

}  // namespace

void CabinetSimulator::configure(float fs)
{
    const float bandLevel = static_cast<float>(std::pow(10.0, kBandLevelDb * 0.05));
    constexpr int kBandPass = StateVariableFilter::kBandPass;
    constexpr int kLowPass = StateVariableFilter::kLowPass;

    // q 0.5 is the broadest band the filter allows; q 1.414 a moderate presence peak.
    rebuild(mainBand, fs, 3044.0f * kSizeScale, 0.5f, 1.0f, kBandPass);
    rebuild(highBand, fs, 8485.0f, 1.414f, 1.0f, kBandPass);
    rebuild(highCut, fs, 10000.0f, 1.414f, 1.0f, kLowPass);
    rebuild(lowBand, fs, 269.0f * kSizeScale, 0.5f, bandLevel, kBandPass);
    rebuild(subBand, fs, 120.512f * kSizeScale, 0.5f, bandLevel * 0.707f, kBandPass);  // -3 dB more

    // Comb depths 6, 4 and 3 dB (k = 0.332279, 0.226274, 0.170997); delays fs/frequency.
    highComb.configure(6.0f, fs, 1500.0f);
    mainComb.configure(4.0f, fs, 294.0f);
    subComb.configure(3.0f, fs, kSubCombFrequency);

    // Path difference delta = sqrt(m^2 + t^2) - m: 6.18034, 13.68154, 11.57227 and 19.31954
    // inches, giving gains 0.574499, 0.445294, 0.338306, 0.260038 and delays of 22.71, 50.28,
    // 42.53 and 71.00 samples at 44100 Hz.
    FractionalDelayLine* const lines[4] = {&reflection1, &reflection2, &reflection3, &reflection4};
    float* const gains[4] = {&reflectionGain1, &reflectionGain2, &reflectionGain3, &reflectionGain4};
    for (int i = 0; i < 4; ++i) {
        const double spacing = kReflectionSpacings[i] * kSizeScale;
        const double delta
            = std::sqrt(static_cast<double>(kMicDistance * kMicDistance) + spacing * spacing) - kMicDistance;
        double level = std::pow(10.0, (kReflectionDbPerInch * delta + kReflectionBaseDb) * 0.05);
        if (i < 2)
            level *= kNearPathLift;
        *gains[i] = static_cast<float>(level);
        lines[i]->configure(kFullWeightDb, fs, static_cast<float>(kInchesPerSecond / delta));
    }

    configured = true;
}

void CabinetSimulator::clearState()
{
    for (StateVariableFilter* filter : {&mainBand, &lowBand, &subBand, &highBand, &highCut})
        filter->clearState();
    for (FractionalDelayLine* line :
        {&mainComb, &subComb, &highComb, &reflection1, &reflection2, &reflection3, &reflection4})
        line->clearState();
}
