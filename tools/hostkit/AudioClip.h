// A piece of audio held whole in memory: one vector of float samples per channel
// (all of equal length) and its sample rate.
#pragma once

#include <cstddef>
#include <vector>

struct AudioClip {
    int sampleRate = 0;
    std::vector<std::vector<float>> channels;

    size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
};
