#include "tools/grimbolt-host/SignalLevels.h"

#include <algorithm>
#include <cmath>

double SignalLevels::toDbfs(double amplitude)
{
    return amplitude > 0.0 ? std::max(20.0 * std::log10(amplitude), kSilenceDbfs) : kSilenceDbfs;
}

SignalLevels SignalLevels::measure(const AudioClip& clip)
{
    double peak = 0.0;
    double sumOfSquares = 0.0;
    size_t count = 0;
    for (const auto& channel : clip.channels) {
        for (float sample : channel) {
            peak = std::max(peak, static_cast<double>(std::fabs(sample)));
            sumOfSquares += static_cast<double>(sample) * sample;
        }
        count += channel.size();
    }
    const double rms = count > 0 ? std::sqrt(sumOfSquares / static_cast<double>(count)) : 0.0;
    return {toDbfs(peak), toDbfs(rms)};
}
