// run under a host that moves a port every block, garbage values among them: the output stays
// finite, and the audio path allocates nothing.
#include "lv2/PortLayout.h"
#include "tests/engine/AllocationCount.h"
#include "tests/lv2/LilvHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
// Inside, at and beyond every port's range, and what no range allows.
constexpr float kPortValues[] = {0.0f, 1.0f, 2.0f, 10.0f, -12.0f, 12.0f, -60.0f, -61.0f, 0.5f, -1e30f, 1e30f,
    kInf, -kInf, kNaN, 3.0f, -0.0f, 1e-40f};
constexpr uint32_t kBlock = 64;

}  // namespace

TEST(Lv2RealTime, PortsChangedEveryBlockKeepTheOutputFiniteAndAllocateNothing)
{
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    std::vector<float> input(kBlock), left(kBlock), right(kBlock);
    for (uint32_t i = 0; i < kBlock; ++i)
        input[i] = 0.5f * std::sin(static_cast<float>(i) * 0.2f);
    for (double rate : {44100.0, 96000.0}) {
        LilvAmp amp(bundle, rate);
        ASSERT_TRUE(amp.isValid());
        std::vector<float> controls(kNumPorts, 0.0f);
        for (uint32_t port = kFirstControlPort; port < kNumPorts; ++port)
            lilv_instance_connect_port(amp.instance(), port, &controls[port]);
        lilv_instance_connect_port(amp.instance(), kAudioInputPort, input.data());
        lilv_instance_connect_port(amp.instance(), kAudioOutputPorts[0], left.data());
        lilv_instance_connect_port(amp.instance(), kAudioOutputPorts[1], right.data());
        amp.activate();
        const long before = allocationCount();
        int block = 0;
        for (uint32_t port = kFirstControlPort; port < kNumPorts; ++port) {
            for (float value : kPortValues) {
                controls[port] = value;
                lilv_instance_run(amp.instance(), kBlock);
                for (uint32_t i = 0; i < kBlock; ++i)
                    ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i]))
                        << "port " << port << " at " << value << ", block " << block;
                ++block;
            }
        }
        lilv_instance_run(amp.instance(), 0);
        EXPECT_EQ(allocationCount() - before, 0) << "rate " << rate;
        amp.deactivate();
    }
}
