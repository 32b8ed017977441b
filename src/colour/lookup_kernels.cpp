#include "lookup_kernels.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define CAMVISTA_HAVE_X86 1
#endif

namespace camvista::kernels
{

void mapBytesPlain(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
                   const std::uint8_t *table)
{
    for (std::size_t i = 0; i < count; ++i)
        out[i] = table[in[i]];
}

void tintPixelsPlain(QRgb *pixels, std::size_t count, const QRgb *table)
{
    for (std::size_t i = 0; i < count; ++i) {
        const QRgb p = pixels[i];
        pixels[i] = table[qRed(p) + qGreen(p) + qBlue(p)];
    }
}

void thresholdPixelsPlain(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest)
{
    for (std::size_t i = 0; i < count; ++i) {
        const QRgb p = pixels[i];
        pixels[i] = qRed(p) + qGreen(p) + qBlue(p) < threshold ? below : rest;
    }
}

#ifdef CAMVISTA_HAVE_X86

bool haveAvx2()
{
    // The explicit init makes this safe even from a static initialiser that runs first.
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return have;
}

namespace
{

// A 256-entry byte table as sixteen 16-entry shuffles, one per high nibble, each repeated in
// both 128-bit lanes (a shuffle never crosses lanes).
struct NibbleTables {
    __m256i part[16];
};

__attribute__((target("avx2"))) NibbleTables splitTable(const std::uint8_t *table)
{
    NibbleTables t;
    for (int k = 0; k < 16; ++k)
        t.part[k] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(table + 16 * k)));
    return t;
}

// 32 lookups. A shuffle reads only bit 7 and the low nibble of each index byte and gives 0 where
// bit 7 is set: the lower eight parts looked up with the bytes as they are answer for bytes
// under 128, the upper eight looked up with bit 7 flipped answer for the others, so each pair
// (part k, part k + 8) joins with a plain OR. A tree of byte blends then keeps the pair whose
// number is bits 4 to 6 of the byte. A blend takes its second operand where the mask byte has
// bit 7 set; shifting left moves bits 4, 5 and 6 there (word shifts are fine: bit 7 of a byte
// only receives bits of the same byte).
__attribute__((target("avx2"))) inline __m256i lookup32(__m256i x, const NibbleTables &t)
{
    const __m256i flipped = _mm256_xor_si256(x, _mm256_set1_epi8(char(0x80)));
    __m256i level[8];
    for (int k = 0; k < 8; ++k)
        level[k] = _mm256_or_si256(_mm256_shuffle_epi8(t.part[k], x),
                                   _mm256_shuffle_epi8(t.part[k + 8], flipped));
    const __m256i bit4 = _mm256_slli_epi16(x, 3);
    for (int k = 0; k < 4; ++k)
        level[k] = _mm256_blendv_epi8(level[2 * k], level[2 * k + 1], bit4);
    const __m256i bit5 = _mm256_slli_epi16(x, 2);
    for (int k = 0; k < 2; ++k)
        level[k] = _mm256_blendv_epi8(level[2 * k], level[2 * k + 1], bit5);
    return _mm256_blendv_epi8(level[0], level[1], _mm256_slli_epi16(x, 1));
}

} // namespace

__attribute__((target("avx2"))) void mapBytesAvx2(const std::uint8_t *in, std::uint8_t *out,
                                                  std::size_t count, const std::uint8_t *table)
{
    const NibbleTables t = splitTable(table);
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i), lookup32(x, t));
    }
    if (i < count) {
        // The last few bytes go through a scratch block, so nothing outside the run is read
        // or written.
        alignas(32) std::uint8_t block[32] = {};
        std::memcpy(block, in + i, count - i);
        const __m256i x = _mm256_load_si256(reinterpret_cast<const __m256i *>(block));
        _mm256_store_si256(reinterpret_cast<__m256i *>(block), lookup32(x, t));
        std::memcpy(out + i, block, count - i);
    }
}

namespace
{

// The byte sums of eight pixels as 32-bit numbers. Memory order of a pixel is blue, green, red,
// alpha: weights 1, 1, 1, 0 give (blue + green, red) as two words, and a word pair sum is the
// byte sum.
__attribute__((target("avx2"))) inline __m256i byteSums(__m256i pixels)
{
    return _mm256_madd_epi16(_mm256_maddubs_epi16(pixels, _mm256_set1_epi32(0x00010101)),
                             _mm256_set1_epi16(1));
}

} // namespace

__attribute__((target("avx2"))) void tintPixelsAvx2(QRgb *pixels, std::size_t count,
                                                    const QRgb *table)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        auto *p = reinterpret_cast<__m256i *>(pixels + i);
        const __m256i sums = byteSums(_mm256_loadu_si256(p));
        // Eight plain loads beat a gather here: the sums come out two at a time.
        const __m128i low = _mm256_castsi256_si128(sums);
        const __m128i high = _mm256_extracti128_si256(sums, 1);
        const auto a = std::uint64_t(_mm_cvtsi128_si64(low));
        const auto b = std::uint64_t(_mm_extract_epi64(low, 1));
        const auto c = std::uint64_t(_mm_cvtsi128_si64(high));
        const auto d = std::uint64_t(_mm_extract_epi64(high, 1));
        const auto at = [table](std::uint64_t sum) { return int(table[std::uint32_t(sum)]); };
        _mm256_storeu_si256(p, _mm256_setr_epi32(at(a), at(a >> 32), at(b), at(b >> 32), at(c),
                                                 at(c >> 32), at(d), at(d >> 32)));
    }
    tintPixelsPlain(pixels + i, count - i, table);
}

__attribute__((target("avx2"))) void thresholdPixelsAvx2(QRgb *pixels, std::size_t count,
                                                         int threshold, QRgb below, QRgb rest)
{
    const __m256i limit = _mm256_set1_epi32(threshold - 1);
    const __m256i low = _mm256_set1_epi32(int(below));
    const __m256i high = _mm256_set1_epi32(int(rest));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        auto *p = reinterpret_cast<__m256i *>(pixels + i);
        const __m256i atOrAbove = _mm256_cmpgt_epi32(byteSums(_mm256_loadu_si256(p)), limit);
        _mm256_storeu_si256(p, _mm256_blendv_epi8(low, high, atOrAbove));
    }
    thresholdPixelsPlain(pixels + i, count - i, threshold, below, rest);
}

#else

bool haveAvx2()
{
    return false;
}

void mapBytesAvx2(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
                  const std::uint8_t *table)
{
    mapBytesPlain(in, out, count, table);
}

void tintPixelsAvx2(QRgb *pixels, std::size_t count, const QRgb *table)
{
    tintPixelsPlain(pixels, count, table);
}

void thresholdPixelsAvx2(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest)
{
    thresholdPixelsPlain(pixels, count, threshold, below, rest);
}

#endif

void mapBytes(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
              const std::uint8_t *table)
{
    if (haveAvx2())
        mapBytesAvx2(in, out, count, table);
    else
        mapBytesPlain(in, out, count, table);
}

void tintPixels(QRgb *pixels, std::size_t count, const QRgb *table)
{
    if (haveAvx2())
        tintPixelsAvx2(pixels, count, table);
    else
        tintPixelsPlain(pixels, count, table);
}

void thresholdPixels(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest)
{
    if (haveAvx2())
        thresholdPixelsAvx2(pixels, count, threshold, below, rest);
    else
        thresholdPixelsPlain(pixels, count, threshold, below, rest);
}

} // namespace camvista::kernels
