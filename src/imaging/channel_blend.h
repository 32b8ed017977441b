#pragma once

#include "rounding.h"

#include <cstdint>

namespace camvista
{

// The inner step of the stamp blend and of resampling: for each of a pixel's three channels,
// a * wa + b * wb, each product and their sum rounded to single precision on its own, then
// rounded half to even to a whole byte (clamped to 0..255). With SSE2 the three channels go
// side by side through one register: the same single-precision operations per lane, and the
// conversion rounds halves to even, so both forms give the same bytes.

// A pixel's three channel values held as floats (the fourth lane is spare), for a blend that
// reads the same pixel many times.
struct alignas(16) PixelLanes {
    float v[4] = {};
};

namespace detail
{

#ifdef CAMVISTA_ROUND_WITH_SSE2
// Four bytes packed little end first, as four floats.
inline __m128 unpackChannels(unsigned bytes)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(bytes)), zero);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
}

inline __m128 loadChannels(const std::uint8_t *p)
{
    return unpackChannels(unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16);
}

// The rounded, clamped channels as four bytes in the low 32 bits (saturating packs clamp).
inline unsigned roundToBytes(__m128 a, __m128 b, float wa, float wb)
{
    const __m128 sum = _mm_add_ps(_mm_mul_ps(_mm_set1_ps(wa), a), _mm_mul_ps(_mm_set1_ps(wb), b));
    const __m128i whole = _mm_cvtps_epi32(sum);
    const __m128i words = _mm_packs_epi32(whole, whole);
    return unsigned(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}
#else
inline std::uint8_t roundToByte(float a, float b, float wa, float wb)
{
    const float mine = wa * a;
    const float other = wb * b;
    const int v = roundHalfEvenFast(mine + other);
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}
#endif

} // namespace detail

// Bytes in, bytes out; reads and writes three bytes only (out may be a or b).
inline void blendChannels(const std::uint8_t *a, const std::uint8_t *b, float wa, float wb,
                          std::uint8_t *out)
{
#ifdef CAMVISTA_ROUND_WITH_SSE2
    const unsigned bytes =
        detail::roundToBytes(detail::loadChannels(a), detail::loadChannels(b), wa, wb);
    out[0] = std::uint8_t(bytes);
    out[1] = std::uint8_t(bytes >> 8);
    out[2] = std::uint8_t(bytes >> 16);
#else
    for (int c = 0; c < 3; ++c)
        out[c] = detail::roundToByte(float(a[c]), float(b[c]), wa, wb);
#endif
}

// Bytes in; the rounded bytes kept as floats.
inline void blendChannels(const std::uint8_t *a, const std::uint8_t *b, float wa, float wb,
                          PixelLanes &out)
{
#ifdef CAMVISTA_ROUND_WITH_SSE2
    _mm_store_ps(out.v, detail::unpackChannels(detail::roundToBytes(
                            detail::loadChannels(a), detail::loadChannels(b), wa, wb)));
#else
    for (int c = 0; c < 3; ++c)
        out.v[c] = float(detail::roundToByte(float(a[c]), float(b[c]), wa, wb));
#endif
}

// Floats in, bytes out; writes three bytes only.
inline void blendChannels(const PixelLanes &a, const PixelLanes &b, float wa, float wb,
                          std::uint8_t *out)
{
#ifdef CAMVISTA_ROUND_WITH_SSE2
    const unsigned bytes = detail::roundToBytes(_mm_load_ps(a.v), _mm_load_ps(b.v), wa, wb);
    out[0] = std::uint8_t(bytes);
    out[1] = std::uint8_t(bytes >> 8);
    out[2] = std::uint8_t(bytes >> 16);
#else
    for (int c = 0; c < 3; ++c)
        out[c] = detail::roundToByte(a.v[c], b.v[c], wa, wb);
#endif
}

} // namespace camvista
