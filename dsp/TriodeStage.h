// One tube preamp stage at the 4x rate: input gain and grid low-pass, a bias term fed back
// from the plate (250 minus the curve's output, low-passed), the tabulated transfer curve,
// and a coupling high-pass that removes the DC of the shifted operating point.
// Frequencies in Hz below fs/2; R > 0 (bias divider), k >= 0 (plate scale ·0.01).
#pragma once

#include "OnePoleFilter.h"
#include "TriodeTransferTable.h"

#include <algorithm>

// The transfer curve, linearly interpolated; held at the end values outside the table.
inline float triodeTransfer(float v)
{
    using Table = TriodeTransferTable;
    // Written as !(v < limit) so that a NaN is held at the top instead of indexing the table.
    if (!(v < Table::upperLimit))
        return Table::values[Table::size - 1];
    if (v <= Table::lowerLimit)
        return Table::values[0];
    // In float, which keeps this lookup short on the stages' feedback paths. Just below the
    // upper limit p rounds up to the last index; holding i one below it gives f = 1 there, so
    // the last value comes out and nothing past the table is read.
    const float p = v * Table::stepsPerUnit + static_cast<float>(Table::zeroIndex);
    const int i = std::min(static_cast<int>(p), Table::size - 2);
    const float f = p - static_cast<float>(i);
    return Table::values[i] * (1.0f - f) + Table::values[i + 1] * f;
}

struct TriodeStage {
    static constexpr float kPlateSupply = 250.0f;  // the bias loop low-passes (supply - curve)·k·0.01

    struct Coefficients {
        // fs is the 4x rate. Sets the filters and scales; the gain stays.
        void configure(float fs, float fPlate, float fInput, float fCoupling, float r, float k);

        float gain = 1.0f;                           // input gain, per channel and drive
        OnePoleFilter::Coefficients plateFilter;     // low-pass of the bias loop
        OnePoleFilter::Coefficients couplingFilter;  // high-pass on the output
        OnePoleFilter::Coefficients inputFilter;     // grid low-pass
        float biasScale = 0.0f;                      // 1/R
        float plateScale = 0.0f;                     // k·0.01
    };

    struct State {
        OnePoleFilter::State plateFilter;
        OnePoleFilter::State couplingFilter;
        OnePoleFilter::State inputFilter;
        float biasState = 0.0f;  // bias term left by the previous sample

        // Non-finite once a state holds an infinity or a NaN.
        float sum() const { return biasState + inputFilter.sum() + plateFilter.sum() + couplingFilter.sum(); }
    };

    // One 4x sample; the statement order is part of the sound (the bias term lags one sample).
    static float process(const Coefficients& c, State& s, float x)
    {
        const float u = OnePoleFilter::lowPass(c.inputFilter, s.inputFilter, x * c.gain);
        const float v = u - s.biasState * c.biasScale;
        const float t = triodeTransfer(v);
        s.biasState = OnePoleFilter::lowPass(c.plateFilter, s.plateFilter, (kPlateSupply - t) * c.plateScale);
        return OnePoleFilter::highPass(c.couplingFilter, s.couplingFilter, t);
    }
};
