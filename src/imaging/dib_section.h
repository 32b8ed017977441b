#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

QT_FORWARD_DECLARE_CLASS(QIODevice)

namespace camvista
{

// Raster operations for LoadPictureBlt and PaintPicture: the usual ternary codes, where bits
// 16..23 give the result for every combination of brush, source and destination bits. The
// brush is white, as in a fresh drawing context.
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;    // source
inline constexpr std::uint32_t kSrcPaint = 0x00EE0086;   // source OR destination
inline constexpr std::uint32_t kSrcAnd = 0x008800C6;     // source AND destination
inline constexpr std::uint32_t kSrcInvert = 0x00660046;  // source XOR destination
inline constexpr std::uint32_t kSrcErase = 0x00440328;   // source AND NOT destination
inline constexpr std::uint32_t kNotSrcCopy = 0x00330008; // NOT source
inline constexpr std::uint32_t kDstInvert = 0x00550009;  // NOT destination
inline constexpr std::uint32_t kBlackness = 0x00000042;
inline constexpr std::uint32_t kWhiteness = 0x00FF0062;

// The error number SavePicture reports when it cannot open its file.
inline constexpr int kDibErrorCannotOpen = 17;

// A numbered error as the bitmap class reports it: number, where it came from ("<program
// name>.cDIBSection") and the system's own words (at most 256 characters, may be empty).
struct DibError {
    int number = 0;
    QString source;
    QString description;
};

struct DibSaveResult {
    bool written = false;          // the whole file was written and replaced the old one
    std::optional<DibError> error; // set when the file could not even be opened (number 17)
};

// One 24-bit bitmap held as bottom-up rows of blue, green, red bytes, each row padded to a
// multiple of 4 bytes, so other code (the gamma table) can work on the bytes directly. There is
// no platform bitmap behind it: hdc() and hDib() are plain identifiers, non-zero while a bitmap
// exists. SavePicture writes through writeFileSafely, so a failed save leaves the old file
// whole instead of a partly written one.
class cDIBSection
{
public:
    cDIBSection() = default;
    cDIBSection(const cDIBSection &) = delete;
    cDIBSection &operator=(const cDIBSection &) = delete;

    // Painting through DrawDib draws the same pixels; with it on, PaintPicture ignores its
    // raster operation and copies. Cleared by ClearUp; kept across a successful Create.
    bool UseDrawDib() const { return m_drawDib; }
    void UseDrawDib(bool on) { m_drawDib = on; }

    // Drops any bitmap, records width x height x 24 bits in the header and allocates the zeroed
    // pixels. False for a size <= 0, an image of 4 GiB or more, or memory that cannot be had;
    // the header then keeps the size asked for, so Width and Height report it.
    bool CreateDIB(int width, int height);
    // ClearUp, then CreateDIB; the DrawDib setting survives only a successful creation.
    bool Create(int width, int height);
    // A bitmap of the picture's size holding a copy of it. False for a null picture.
    bool CreateFromPicture(const QImage &picture);

    // Width x 3 rounded up to a multiple of 4.
    int BytesPerScanLine() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Copies the rectangle of `source` at (srcLeft, srcTop) into this bitmap at (0, 0); a
    // negative width or height means this bitmap's own. Pixels outside either picture are
    // left alone.
    void LoadPictureBlt(const QImage &source, int srcLeft = 0, int srcTop = 0, int srcWidth = -1,
                        int srcHeight = -1, std::uint32_t rasterOp = kSrcCopy);
    // Draws the rectangle of this bitmap at (srcLeft, srcTop) onto `target` at (targetLeft,
    // targetTop), unscaled; a negative target width or height means this bitmap's own. A target
    // that is not 32-bit RGB is converted to Format_RGB32 first.
    void PaintPicture(QImage &target, int targetLeft = 0, int targetTop = 0, int targetWidth = -1,
                      int targetHeight = -1, int srcLeft = 0, int srcTop = 0,
                      std::uint32_t rasterOp = kSrcCopy) const;

    // Writes a BMP with a 58-byte header (one zero colour entry before the pixels). The file is
    // replaced only when everything was written, so a failed save never harms the old one.
    DibSaveResult SavePicture(const QString &fileName) const;

    // A top-down Format_RGB32 copy; null when there is no bitmap.
    QImage toImage() const;

    std::uint32_t hdc() const { return m_serial == 0 ? 0 : m_serial * 2; }
    std::uint32_t hDib() const { return m_serial == 0 ? 0 : m_serial * 2 + 1; }
    std::uint8_t *DIBSectionBitsPtr() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const std::uint8_t *DIBSectionBitsPtr() const
    {
        return m_bits.empty() ? nullptr : m_bits.data();
    }

    // Fills every pixel with random values from a generator seeded by the clock: grey gives
    // blue = green = red; otherwise blue is 0 and green and red are independent.
    void RandomiseBits(bool grey);
    // Frees the pixels and turns DrawDib off; Width and Height keep reporting the last size.
    void ClearUp();
    // A new bitmap of the given size (height first), a copy when the size is the same, else
    // bilinear. Null when the new bitmap cannot be made. An empty source gives a black bitmap.
    std::unique_ptr<cDIBSection> Resample(int newHeight, int newWidth) const;

private:
    void ResampleInto(cDIBSection &target) const;
    bool WriteBitmapFile(QIODevice &file) const;
    std::uint8_t *row(int topDownY)
    {
        return m_bits.data() +
               std::size_t(m_height - 1 - topDownY) * std::size_t(BytesPerScanLine());
    }
    const std::uint8_t *row(int topDownY) const
    {
        return m_bits.data() +
               std::size_t(m_height - 1 - topDownY) * std::size_t(BytesPerScanLine());
    }

    std::vector<std::uint8_t> m_bits;
    std::int32_t m_width = 0;  // as last given to CreateDIB
    std::int32_t m_height = 0; // positive: rows stored bottom row first
    std::uint32_t m_imageSize = 0;
    std::uint32_t m_serial = 0; // identifies the current bitmap; 0 when there is none
    bool m_drawDib = false;
};

} // namespace camvista
