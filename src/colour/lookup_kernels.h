#pragma once

// The inner loops of the fourth step: a byte-to-byte table over a run of bytes (gamma) and a
// byte-sum-to-colour table over a run of 32-bit pixels (the tints). Each has a plain version
// that runs everywhere and an AVX2 version used when the processor has it; both give the same
// bytes. The dispatching entry points pick one at run time.

#include <QRgb>

#include <cstddef>
#include <cstdint>

namespace camvista::kernels
{

// True when this processor runs the AVX2 versions.
bool haveAvx2();

// out[i] = table[in[i]] for i < count. `in` and `out` may be the same run, but must not
// otherwise overlap.
void mapBytes(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
              const std::uint8_t *table);
void mapBytesPlain(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
                   const std::uint8_t *table);
void mapBytesAvx2(const std::uint8_t *in, std::uint8_t *out, std::size_t count,
                  const std::uint8_t *table);

// pixels[i] = table[blue + green + red of pixels[i]] for i < count; the alpha byte is not
// summed. The table has 766 entries.
void tintPixels(QRgb *pixels, std::size_t count, const QRgb *table);
void tintPixelsPlain(QRgb *pixels, std::size_t count, const QRgb *table);
void tintPixelsAvx2(QRgb *pixels, std::size_t count, const QRgb *table);

// pixels[i] = below where blue + green + red of pixels[i] is under `threshold`, else `rest`:
// the tint table of a two-colour tint, without the table.
void thresholdPixels(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest);
void thresholdPixelsPlain(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest);
void thresholdPixelsAvx2(QRgb *pixels, std::size_t count, int threshold, QRgb below, QRgb rest);

} // namespace camvista::kernels
