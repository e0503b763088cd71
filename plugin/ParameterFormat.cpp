#include "plugin/ParameterFormat.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int32_t kMaxCharacters = 8;
}

void float2string(float value, char* text)
{
    double v = value;
    const bool negative = v < 0.0;
    int32_t count = 0;
    if (negative) {
        v = -v;
        ++count;
        if (v > 9999999.0)
            return;
    } else if (v > 99999999.0) {
        return;
    }

    // Integer digits, built right to left in front of the point.
    char integer[kMaxCharacters + 3];
    char* s = integer + sizeof(integer) - 1;
    *s = 0;
    *--s = '.';
    double n = std::floor(v);
    *--s = static_cast<char>('0' + static_cast<int32_t>(std::fmod(n, 10.0)));
    count += 2;  // the digit and the point
    n *= 0.1;
    while (n >= 1.0 && count < kMaxCharacters) {
        *--s = static_cast<char>('0' + static_cast<int32_t>(std::fmod(n, 10.0)));
        ++count;
        n *= 0.1;
    }
    if (negative)
        *--s = '-';
    std::strcpy(text, s);
    if (count >= kMaxCharacters)
        return;

    // Fraction digits fill the remaining places, truncated, built right to left.
    const int32_t places = kMaxCharacters - count;
    char fraction[kMaxCharacters + 1];
    fraction[places] = 0;
    double f = std::fmod(v, 1.0) * std::pow(10.0, places);
    for (int32_t i = places - 1; i >= 0; --i) {
        if (f <= 0.0) {
            fraction[i] = '0';
        } else {
            fraction[i] = static_cast<char>('0' + static_cast<int32_t>(std::fmod(f, 10.0)));
            f *= 0.1;
        }
    }
    std::strcat(text, fraction);
}

void dB2string(float value, char* text)
{
    if (value <= 0.0f)
        std::strcpy(text, "-oo");
    else
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
}

int32_t channelFromValue(float value)
{
    double t = 3.0 * static_cast<double>(value);
    if (t >= 3.0)
        t -= 1.0;  // puts 1.0 itself on the last channel instead of a fourth
    // Held to 0..2 around the truncation, which keeps the conversion in range (and NaN clean).
    if (!(t > 0.0))
        return 0;
    if (t >= 3.0)
        return 2;
    return static_cast<int32_t>(t);
}
