#include "plugin/ParameterFormat.h"

#include <gtest/gtest.h>

TEST(ParameterFormat, Float2StringTruncatesToEightCharactersOrLeavesTheText)
{
    const std::pair<float, const char*> cases[] = {
        {-6.02f, "-6.01999"},
        {0.0f, "0.000000"},
        {6.0206f, "6.020599"},
        {-0.25f, "-0.25000"},
        {123.456f, "123.4560"},
        // The point is counted before the digits, so only seven integer digits fit.
        {12345678.0f, "2345678."},
        {-1234567.0f, "-234567."},
        // Too large: the text is left as it was.
        {1.0e8f, "#"},
        {-1.0e7f, "#"},
    };
    for (const auto& [value, expected] : cases) {
        char text[16] = "#";
        float2string(value, text);
        EXPECT_STREQ(text, expected) << "value " << value;
    }
}

TEST(ParameterFormat, ChannelFromValueSplitsThirdsAndHoldsTheEnds)
{
    const std::pair<float, int32_t> cases[] = {
        {0.0f, 0},
        {0.3333f, 0},
        {0.34f, 1},
        {0.6666f, 1},
        {0.67f, 2},
        {1.0f, 2},
        {2.0f, 2},
        {-5.0f, 0},
        {1e30f, 2},
        {-1e30f, 0},
    };
    for (const auto& [value, channel] : cases)
        EXPECT_EQ(channelFromValue(value), channel) << "value " << value;
}
