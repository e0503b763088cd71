// Without a display the editor does not open, and the plug-in goes on as before.
#include "plugin/Parameters.h"
#include "tests/x11/X11PanelHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

TEST(X11WithoutDisplay, EditorOpenAnswersZeroAndThePluginGoesOn)
{
    unsetenv("DISPLAY");
    X11PanelHost host;
    ERect* rect = nullptr;
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(host.open(0x400001), 0);
    host.idle();
    host.close();
    host.setParameter(kDrive, 0.3f);
    EXPECT_EQ(host.parameter(kDrive), 0.3f);
    std::vector<float> input(256, 0.25f);
    std::vector<float> left(256, NAN);
    std::vector<float> right(256, NAN);
    float* inputs[] = {input.data()};
    float* outputs[] = {left.data(), right.data()};
    host.dispatch(effMainsChanged, 0, 1);
    host.effect()->processReplacing(host.effect(), inputs, outputs, 256);
    host.dispatch(effMainsChanged, 0, 0);
    for (size_t i = 0; i < left.size(); ++i)
        ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i])) << "frame " << i;
    EXPECT_EQ(host.snapshot().size(), static_cast<size_t>(X11PanelHost::kWidth * X11PanelHost::kHeight))
        << "the picture needs no display";
}
