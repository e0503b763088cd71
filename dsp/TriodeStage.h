// One tube preamp stage at the 4x rate: input gain and grid low-pass, a bias term fed back
// from the plate (250 minus the curve's output, low-passed), the tabulated transfer curve,
// and a coupling high-pass that removes the DC of the shifted operating point.
// Frequencies in Hz below fs/2; R > 0 (bias divider), k >= 0 (plate scale ·0.01).
#pragma once

#include "AudioModule.h"
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

class TriodeStage : public AudioModule {
public:
    static constexpr float kPlateSupply = 250.0f;  // the bias loop low-passes (supply - curve)·k·0.01

    // fs is the 4x rate. Sets coefficients only: gain and every state carry on.
    void configure(float fs, float fPlate, float fInput, float fCoupling, float r, float k);

    // One 4x sample; the statement order is part of the sound (the bias term lags one sample).
    float process(float x)
    {
        const float u = inputFilter.processLowPass(x * gain);
        const float v = u - biasState * biasScale;
        const float t = triodeTransfer(v);
        biasState = plateFilter.processLowPass((kPlateSupply - t) * plateScale);
        return couplingFilter.processHighPass(t);
    }

    // Non-finite once a state holds an infinity or a NaN.
    float stateSum() const
    {
        return biasState + inputFilter.stateSum() + plateFilter.stateSum() + couplingFilter.stateSum();
    }

    // These coefficients and gain with the states of `running`.
    TriodeStage withStateOf(const TriodeStage& running) const
    {
        TriodeStage combined = *this;
        combined.plateFilter = plateFilter.withStateOf(running.plateFilter);
        combined.couplingFilter = couplingFilter.withStateOf(running.couplingFilter);
        combined.inputFilter = inputFilter.withStateOf(running.inputFilter);
        combined.biasState = running.biasState;
        return combined;
    }

    float gain = 1.0f;             // input gain, written by the engine per channel and drive
    OnePoleFilter plateFilter;     // low-pass of the bias loop
    OnePoleFilter couplingFilter;  // high-pass on the output
    OnePoleFilter inputFilter;     // grid low-pass
    float biasScale = 0.0f;        // 1/R
    float biasState = 0.0f;        // bias term left by the previous sample
    float plateScale = 0.0f;       // k·0.01
};
