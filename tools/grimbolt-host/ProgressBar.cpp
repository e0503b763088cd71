#include "tools/grimbolt-host/ProgressBar.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar()
    : enabled_(isatty(STDERR_FILENO) != 0)
{
}

ProgressBar::~ProgressBar()
{
    if (enabled_ && shownPercent_ >= 0) {
        std::fputc('\n', stderr);
    }
}

void ProgressBar::update(double fraction)
{
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    if (!enabled_ || percent == shownPercent_) {
        return;
    }
    shownPercent_ = percent;
    const int filled = percent * kBarWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#')
        + std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}
