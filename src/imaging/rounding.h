#pragma once

#include <cmath>

namespace camvista
{

// The program rounds every real to a whole number to the nearest integer, halves going to the
// even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). That is the processor's default rounding
// mode, which the program never changes, so nearbyint does it without branches.
inline double roundHalfEvenReal(double v)
{
    return std::nearbyint(v);
}

inline float roundHalfEvenReal(float v)
{
    return std::nearbyint(v);
}

inline long long roundHalfEven(double v)
{
    return static_cast<long long>(std::nearbyint(v));
}

inline int roundHalfEvenInt(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

} // namespace camvista
