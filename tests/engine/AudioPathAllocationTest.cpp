// Counts heap allocations made while audio is processed: the audio path must make none.
#include "engine/AmpEngine.h"
#include "tests/engine/AllocationCount.h"

#include <gtest/gtest.h>

#include <vector>

TEST(AudioPath, ProcessingAllocatesNothing)
{
    std::vector<float> input(512, 0.25f), left(512), right(512);
    for (float rate : {44100.0f, 96000.0f}) {
        auto* engine = new AmpEngine;
        engine->setSampleRate(rate);
        const long before = allocationCount();
        for (int32_t channel = 0; channel < 3; ++channel) {
            engine->setChannel(channel);
            engine->setCabinetBypass(channel == 1 ? 1.0f : 0.0f);
            for (int block = 0; block < 20; ++block) {
                engine->processReplacing(input.data(), left.data(), right.data(), 512);
                engine->process(input.data(), left.data(), right.data(), 512);
            }
        }
        EXPECT_EQ(allocationCount() - before, 0) << "rate " << rate;
        delete engine;
    }
}
