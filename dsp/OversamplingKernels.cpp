// Resampling kernels for the four supported host rates. Each prototype is a symmetric
// low-pass FIR designed for its rate (taps listed in full, centre tap in the middle; each
// kernel sums to 1 to within 1e-12, so the decimator has unity DC gain). The tables carry
// zeros after the odd-length prototype up to a multiple of four taps: the upsampler splits
// the padded table into four equal polyphase branches (each summing to about 0.25), and the
// decimator reads only the prototype's own taps.
#include "OversamplingKernels.h"

#include <cmath>

namespace {

// Four taps to a row, as the kernels were laid out.
// clang-format off
constexpr double kKernel44100[16] = {
    0.00205640172945, 0.0128256861531, 0.0371044712831, 0.0761932833554,
    0.122634423014, 0.161121372082, 0.176128724766, 0.161121372082,
    0.122634423014, 0.0761932833554, 0.0371044712831, 0.0128256861531,
    0.00205640172945, 0.0, 0.0, 0.0,
};

constexpr double kKernel48000[16] = {
    0.000339684299977, 0.00543927743442, 0.0191427443953, 0.0444220792883,
    0.0802455986713, 0.119354852505, 0.150133479936, 0.161844566939,
    0.150133479936, 0.119354852505, 0.0802455986713, 0.0444220792883,
    0.0191427443953, 0.00543927743442, 0.000339684299977, 0.0,
};

constexpr double kKernel88200[28] = {
    0.000114968334173, 0.00102830803735, 0.00302544304765, 0.00641351150745,
    0.0115172961531, 0.0185541693997, 0.0275180285374, 0.0381006126111,
    0.0496711996847, 0.0613236027938, 0.0719851619936, 0.0805690831357,
    0.0861418439594, 0.0880735416099, 0.0861418439594, 0.0805690831357,
    0.0719851619936, 0.0613236027938, 0.0496711996847, 0.0381006126111,
    0.0275180285374, 0.0185541693997, 0.0115172961531, 0.00641351150745,
    0.00302544304765, 0.00102830803735, 0.000114968334173, 0.0,
};

constexpr double kKernel96000[32] = {
    0.000169830825373, 0.00101925453662, 0.00271945737905, 0.00549160439996,
    0.00957073400441, 0.0151302393338, 0.0222095586721, 0.0306599340784,
    0.0401201240558, 0.0500287502484, 0.0596734471231, 0.0682703337756,
    0.0750617347209, 0.0794165529514, 0.0809168877901, 0.0794165529514,
    0.0750617347209, 0.0682703337756, 0.0596734471231, 0.0500287502484,
    0.0401201240558, 0.0306599340784, 0.0222095586721, 0.0151302393338,
    0.00957073400441, 0.00549160439996, 0.00271945737905, 0.00101925453662,
    0.000169830825373, 0.0, 0.0, 0.0,
};
// clang-format on

template <int PaddedTaps>
constexpr ResamplingKernels kernelsFor(float rate, const double (&kernel)[PaddedTaps], int prototypeTaps)
{
    return {rate, kernel, PaddedTaps, kernel, prototypeTaps};
}

constexpr ResamplingKernels kSupported[] = {
    kernelsFor(44100.0f, kKernel44100, 13),
    kernelsFor(48000.0f, kKernel48000, 15),
    kernelsFor(88200.0f, kKernel88200, 27),
    kernelsFor(96000.0f, kKernel96000, 29),
};

}  // namespace

const ResamplingKernels* findResamplingKernels(float rate)
{
    for (const ResamplingKernels& kernels : kSupported) {
        if (kernels.rate == rate)
            return &kernels;
    }
    return nullptr;
}

const ResamplingKernels& nearestResamplingKernels(float rate)
{
    const ResamplingKernels* nearest = &kSupported[0];
    for (const ResamplingKernels& kernels : kSupported) {
        if (std::fabs(kernels.rate - rate) < std::fabs(nearest->rate - rate))
            nearest = &kernels;
    }
    return *nearest;
}
