// Display formatting and value mapping shared by the parameter texts and the editor.
#pragma once

#include <cstdint>

// Writes value with at most 8 characters (sign, digits and point), digits truncated, e.g.
// -6.02 as "-6.01999". Leaves text untouched when the integer part does not fit.
// text must hold at least 9 bytes.
void float2string(float value, char* text);

// Level in dB of a linear factor: "-oo" for 0 or less, else float2string of 20 log10(value).
void dB2string(float value, char* text);

// Normalised channel value to channel number 0 clean, 1 crunch, 2 ultra: thirds of 0..1,
// with 1.0 itself on ultra; values outside 0..1 are held to clean or ultra.
int32_t channelFromValue(float value);
