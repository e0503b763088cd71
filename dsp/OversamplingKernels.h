// The resampling kernels of the four supported host rates. Each rate has one symmetric,
// linear-phase low-pass prototype that sums to 1: the decimator runs it as is at the host
// rate, and the 4x upsampler uses the same taps zero-padded to a multiple of four and split
// into four phases. Read-only tables; nothing here allocates.
#pragma once

struct ResamplingKernels {
    float rate;                     // host rate in Hz
    const double* upsamplerKernel;  // prototype zero-padded to a multiple of four taps
    int upsamplerTaps;
    const double* decimatorKernel;  // the odd-length symmetric prototype (its first taps)
    int decimatorTaps;
};

// The kernels of a host rate that equals 44100, 48000, 88200 or 96000 exactly; else nullptr.
const ResamplingKernels* findResamplingKernels(float rate);

// The kernels of the supported rate closest to `rate` (44100 for a NaN), for a host that
// never announces a supported one.
const ResamplingKernels& nearestResamplingKernels(float rate);
