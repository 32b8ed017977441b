#include "jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <vector>

#include <jpeglib.h>
// After jpeglib.h: which messages exist depends on its version.
#include <jerror.h>

namespace camvista
{

namespace
{

struct Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf bail{};
    FileError error = FileError::None;
    int damageWarnings = 0;
    // The work of reading a multi-scan file's scans, before any pixel comes out (see onProgress).
    bool absorbingScans = false;
    double scanWork = 0;
    double scanWorkLimit = 0;
};

Decoder &decoderOf(j_common_ptr info)
{
    // `info` is the first member of Decoder.
    return *reinterpret_cast<Decoder *>(info);
}

[[noreturn]] void stop(j_common_ptr info, FileError error)
{
    Decoder &d = decoderOf(info);
    d.error = error;
    std::longjmp(d.bail, 1);
}

[[noreturn]] void onError(j_common_ptr info)
{
    stop(info,
         info->err->msg_code == JERR_OUT_OF_MEMORY ? FileError::TooLarge : FileError::Damaged);
}

bool isDamageWarning(int code)
{
    switch (code) {
    case JWRN_HIT_MARKER:    // a scan ends before its data does
    case JWRN_JPEG_EOF:      // the file ends before its data does
    case JWRN_HUFF_BAD_CODE: // data that does not decode
#if JPEG_LIB_VERSION >= 70 || defined(D_ARITH_CODING_SUPPORTED)
    case JWRN_ARITH_BAD_CODE: // the same, arithmetic-coded
#endif
    case JWRN_MUST_RESYNC:     // a restart marker missing or out of order
    case JWRN_EXTRANEOUS_DATA: // bytes in the stream that belong to nothing
        return true;
    default:
        return false; // an unknown JFIF revision and the like say nothing about the pixels
    }
}

// Every warning passes through here, whatever Qt's logging rules say: libjpeg fills in what it
// cannot read and only warns. The first sign of damage ends the decoding.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0 && isDamageWarning(info->err->msg_code)) {
        ++decoderOf(info).damageWarnings;
        stop(info, FileError::Damaged);
    }
}

void quiet(j_common_ptr) {}

// A progressive file is read scan by scan before its first row is shown, and each scan can
// be a pass over every block of the picture, so a few dozen empty scans keep the decoder busy
// for seconds while the file stays small. The work is counted as blocks visited, a coefficient
// band costing a sixteenth of a block per coefficient (measured: a block of a DC scan costs
// about as much as 16 coefficients of a refinement scan).
constexpr double kScanWorkPerBlock = 32;       // real encoders' progressions stay under 16
constexpr double kScanWorkAlways = 16'000'000; // what a one-megapixel picture of 100 scans needs

double pictureBlocks(const jpeg_decompress_struct &info)
{
    double blocks = 0;
    for (int i = 0; i < info.num_components; ++i)
        blocks += double(info.comp_info[i].width_in_blocks) * info.comp_info[i].height_in_blocks;
    return blocks;
}

// The work of one row of MCUs of the scan being read.
double scanRowWork(const jpeg_decompress_struct &info)
{
    double blocks = 0;
    for (int i = 0; i < info.comps_in_scan; ++i) {
        const jpeg_component_info *c = info.cur_comp_info[i];
        blocks += double(c->width_in_blocks) * c->v_samp_factor;
    }
    return blocks * (1.0 + (info.Se - info.Ss + 1) / 16.0);
}

// Called once before each row of MCUs (or marker) is read, and for every row put out.
void onProgress(j_common_ptr info)
{
    const auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxJpegScans)
        stop(info, FileError::Damaged);
    Decoder &d = decoderOf(info);
    if (d.absorbingScans && decompress->comps_in_scan > 0) {
        d.scanWork += scanRowWork(*decompress);
        if (d.scanWork > d.scanWorkLimit)
            stop(info, FileError::Damaged);
    }
}

void prepare(Decoder &d, const uchar *data, qint64 size)
{
    d.info.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = &onError;
    d.errors.emit_message = &onMessage;
    d.errors.output_message = &quiet;
    d.progress.progress_monitor = &onProgress;
    jpeg_create_decompress(&d.info);
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
}

// Qt's reading of the JFIF density, so a picture keeps the resolution it had.
void setDensity(const jpeg_decompress_struct &info, QImage &image)
{
    double perMetre = 0;
    if (info.density_unit == 1)
        perMetre = 100.0 / 2.54; // dots per inch
    else if (info.density_unit == 2)
        perMetre = 100.0; // dots per centimetre
    if (perMetre > 0) {
        image.setDotsPerMeterX(int(perMetre * info.X_density));
        image.setDotsPerMeterY(int(perMetre * info.Y_density));
    }
}

// Adobe writes CMYK inverted, as Qt reads it: the colour is the product of the inverted inks.
void cmykToRgb(const JSAMPLE *cmyk, QRgb *out, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        out[x] = qRgb(k * cmyk[0] / 255, k * cmyk[1] / 255, k * cmyk[2] / 255);
    }
}

// libjpeg rounds a scaled side up.
QSize scaledSize(const QSize &size, int denominator)
{
    return {(size.width() + denominator - 1) / denominator,
            (size.height() + denominator - 1) / denominator};
}

int scaleDenominator(const QSize &size, const QSize &atLeast)
{
    if (atLeast.isEmpty() || size.isEmpty())
        return 1;
    for (int denominator = 8; denominator > 1; denominator /= 2) {
        const QSize scaled = scaledSize(size, denominator);
        if (scaled.width() >= 2 * atLeast.width() && scaled.height() >= 2 * atLeast.height())
            return denominator;
    }
    return 1;
}

// Everything between setjmp and a jump lives in `d` or `out`, never in this frame.
FileError run(Decoder &d, const QSize &atLeast, QImage &out, std::vector<JSAMPLE> &cmykRow)
{
    if (setjmp(d.bail) != 0)
        return d.error;
    jpeg_read_header(&d.info, TRUE);
    if (exceedsPictureCap(d.info.image_width, d.info.image_height))
        return FileError::TooLarge;
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA; // QImage::Format_RGB32 in memory
#else
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_ARGB;
#endif
    d.info.scale_num = 1;
    d.info.scale_denom = unsigned(
        scaleDenominator(QSize(int(d.info.image_width), int(d.info.image_height)), atLeast));
    d.scanWorkLimit = std::max(kScanWorkAlways, kScanWorkPerBlock * pictureBlocks(d.info));
    d.absorbingScans = true;
    jpeg_start_decompress(&d.info); // reads every scan of a progressive file
    d.absorbingScans = false;

    out = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB32);
    if (out.isNull())
        return FileError::TooLarge;
    setDensity(d.info, out);
    if (cmyk)
        cmykRow.resize(std::size_t(d.info.output_width) * 4);
    while (d.info.output_scanline < d.info.output_height) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(int(d.info.output_scanline)));
        JSAMPROW row = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(line);
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return FileError::Damaged;
        if (cmyk)
            cmykToRgb(cmykRow.data(), line, d.info.output_width);
    }
    jpeg_finish_decompress(&d.info); // reads on to the end marker: damage there counts too
    return FileError::None;
}

} // namespace

QSize jpegDecodeSize(const QSize &size, const QSize &atLeast)
{
    return scaledSize(size, scaleDenominator(size, atLeast));
}

JpegDecode decodeJpeg(const uchar *data, qint64 size, const QSize &atLeast)
{
    Decoder d;
    prepare(d, data, size);
    JpegDecode result;
    std::vector<JSAMPLE> cmykRow;
    result.error = run(d, atLeast, result.image, cmykRow);
    jpeg_destroy_decompress(&d.info);
    if (result.error != FileError::None)
        result.image = QImage();
    return result;
}

} // namespace camvista
