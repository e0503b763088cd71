// Counts heap allocations made while audio is processed: the audio path must make none.
#include "engine/AmpEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {
std::atomic<long> allocations{0};
}

// The replacements below are a matched pair; g++ 12 takes the free() in operator delete for a
// mismatch with operator new once the sanitizer builds inline them into one caller.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(AudioPath, ProcessingAllocatesNothing)
{
    std::vector<float> input(512, 0.25f), left(512), right(512);
    for (float rate : {44100.0f, 96000.0f}) {
        auto* engine = new AmpEngine;
        engine->setSampleRate(rate);
        const long before = allocations.load();
        for (int32_t channel = 0; channel < 3; ++channel) {
            engine->setChannel(channel);
            engine->setCabinetBypass(channel == 1 ? 1.0f : 0.0f);
            for (int block = 0; block < 20; ++block) {
                engine->processReplacing(input.data(), left.data(), right.data(), 512);
                engine->process(input.data(), left.data(), right.data(), 512);
            }
        }
        EXPECT_EQ(allocations.load() - before, 0) << "rate " << rate;
        delete engine;
    }
}
