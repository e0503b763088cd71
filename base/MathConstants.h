// The constants of the circle, in double; the float forms are casts of these.
#pragma once

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2.0 * kPi;
