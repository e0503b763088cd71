// Measures a linear block by its impulse response: a DFT at a chosen frequency.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

// The first `length` outputs of `process` for a unit impulse.
template <typename Process> std::vector<float> impulseResponse(Process&& process, int length)
{
    std::vector<float> response(length);
    for (int n = 0; n < length; ++n)
        response[n] = process(n == 0 ? 1.0f : 0.0f);
    return response;
}

// The impulse response of a block's design, from rest.
template <class Block>
std::vector<float> impulseResponseOf(const typename Block::Coefficients& design, int length)
{
    typename Block::State state;
    return impulseResponse([&](float x) { return Block::process(design, state, x); }, length);
}

inline std::complex<double> responseAt(const std::vector<float>& impulse, double f, double fs)
{
    const double w = 6.283185307179586 * f / fs;
    std::complex<double> sum = 0.0;
    for (std::size_t n = 0; n < impulse.size(); ++n)
        sum += static_cast<double>(impulse[n]) * std::polar(1.0, -w * static_cast<double>(n));
    return sum;
}

inline double gainDb(const std::vector<float>& impulse, double f, double fs)
{
    return 20.0 * std::log10(std::abs(responseAt(impulse, f, fs)));
}
