#pragma once

#include <cmath>

namespace camvista
{

// The program rounds every real to a whole number to the nearest integer, halves going to the
// even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), independent of the FPU rounding mode.
inline double roundHalfEvenReal(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff > 0.5)
        return lower + 1.0;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

inline long long roundHalfEven(double v)
{
    return static_cast<long long>(roundHalfEvenReal(v));
}

inline int roundHalfEvenInt(double v)
{
    return static_cast<int>(roundHalfEvenReal(v));
}

} // namespace camvista
