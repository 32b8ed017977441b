#pragma once

#include <cmath>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CAMVISTA_ROUND_WITH_SSE2 1
#endif

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

// The same rounding for hot pixel loops, without the library call nearbyint costs on plain
// x86-64: the SSE2 conversion rounds in the current mode, that is, halves to even. SSE2 is part
// of every x86-64 processor, so the binary needs nothing newer. Only for values whose result
// fits an int: the loops round colour channels near 0..255.
inline int roundHalfEvenFast(float v)
{
#ifdef CAMVISTA_ROUND_WITH_SSE2
    return _mm_cvtss_si32(_mm_set_ss(v));
#else
    return static_cast<int>(std::nearbyint(v));
#endif
}

} // namespace camvista
