#include "plugin/ParameterFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string formatted(void (*format)(float, char*), float value)
{
    char text[32];
    std::memset(text, '#', sizeof(text));
    text[sizeof(text) - 1] = 0;
    format(value, text);
    return text;
}
}

TEST(ParameterFormat, Float2StringTruncatesToEightCharacters)
{
    const std::pair<float, const char*> cases[] = {
        {-6.02f, "-6.01999"},
        {-12.041199f, "-12.0411"},
        {0.0f, "0.000000"},
        {6.0206f, "6.020599"},
        {1.5f, "1.500000"},
        {-0.25f, "-0.25000"},
        {123.456f, "123.4560"},
        // The point is counted before the digits, so only seven integer digits fit.
        {12345678.0f, "2345678."},
        {-1234567.0f, "-234567."},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatted(float2string, value), expected) << "value " << value;
}

TEST(ParameterFormat, Float2StringLeavesTextUntouchedWhenTooLarge)
{
    for (float value : {1.0e8f, -1.0e7f, 3.0e38f})
        EXPECT_EQ(formatted(float2string, value), std::string(31, '#')) << "value " << value;
}

TEST(ParameterFormat, DB2StringShowsTheMasterLevel)
{
    const std::pair<float, const char*> cases[] = {
        {0.25f, "-12.0411"}, {0.3f, "-10.4575"}, {0.5f, "-6.02059"}, {1.0f, "0.000000"},
        {2.0f, "6.020599"},  {0.0f, "-oo"},      {-1.0f, "-oo"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatted(dB2string, value), expected) << "value " << value;
}

TEST(ParameterFormat, ChannelFromValueSplitsThirdsAndHoldsTheEnds)
{
    const std::pair<float, int32_t> cases[] = {
        {0.0f, 0},  {0.3333f, 0}, {0.34f, 1},  {0.6666f, 1}, {0.67f, 2},
        {1.0f, 2},  {2.0f, 2},    {-5.0f, 0},  {1e30f, 2},   {-1e30f, 0},
    };
    for (const auto& [value, channel] : cases)
        EXPECT_EQ(channelFromValue(value), channel) << "value " << value;
}
