#include "DecimationFilter.h"

#include <algorithm>
#include <new>
#include <utility>

bool DecimationFilter::configure(const double* kernel, int taps)
{
    if (kernel == nullptr || taps < 1 || taps % 2 == 0)
        return false;
    std::unique_ptr<double[]> history(new (std::nothrow) double[2 * taps]());
    if (!history)
        return false;
    kernel_ = kernel;
    length_ = taps;
    history_ = std::move(history);
    position_ = 0;
    return true;
}

void DecimationFilter::clearHistory()
{
    std::fill(history_.get(), history_.get() + 2 * length_, 0.0);
    position_ = 0;
}
