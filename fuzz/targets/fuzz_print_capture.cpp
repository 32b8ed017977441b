#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "printer/capture_file.h"

#include <algorithm>

namespace camvista::fuzz
{

namespace
{

void checkPrint(const printer::PrintResult &print)
{
    require(print.number >= 1, "prints are numbered from 1");
    if (!print.printed()) {
        require(print.picture.isNull(), "a refused print has no picture");
        require(!print.reason().isEmpty(), "a refused print says why");
        return;
    }
    const QImage &picture = print.picture;
    require(picture.width() == printer::kPrintWidth, "a print is 160 pixels wide");
    require(picture.height() > 0 && picture.height() % 8 == 0 &&
                picture.height() <= 16 * printer::kMaxBandsPerPrint,
            "a print is whole rows of tiles, at most as many as a printer holds");
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = row[x];
            require(p == 0xffffffffu || p == 0xffc0c0c0u || p == 0xff808080u || p == 0xff000000u,
                    "a printed pixel is one of the four shades");
        }
    }
}

bool samePrints(const QList<printer::PrintResult> &a, const QList<printer::PrintResult> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].outcome != b[i].outcome || a[i].picture != b[i].picture ||
            a[i].mismatchedPackets != b[i].mismatchedPackets)
            return false;
    }
    return true;
}

} // namespace

int printCapture(const std::uint8_t *data, std::size_t size)
{
    // The first two bytes say where to cut the text in two, as a serial port might.
    ByteReader reader(data, size);
    const std::size_t cutAt = std::min<std::size_t>(reader.word(), reader.restSize());
    const auto *text = reinterpret_cast<const char *>(reader.rest());
    const auto length = qsizetype(reader.restSize());

    printer::CaptureReader atOnce;
    QList<printer::PrintResult> whole = atOnce.feed(text, length);
    whole += atOnce.finish();

    printer::CaptureReader inPieces;
    QList<printer::PrintResult> pieces = inPieces.feed(text, qsizetype(cutAt));
    pieces += inPieces.feed(text + cutAt, length - qsizetype(cutAt));
    pieces += inPieces.finish();

    require(samePrints(whole, pieces), "pieces of any size give the same prints");
    int last = 0;
    for (const printer::PrintResult &print : whole) {
        require(print.number > last, "prints come in their order");
        last = print.number;
        checkPrint(print);
    }
    const printer::CaptureCounts &c = atOnce.counts();
    require(c.lines == c.byteLines + c.commentLines + c.blankLines + c.unknownLines,
            "every line is counted once");
    require(c.checksumErrors <= c.packets, "a checksum error belongs to a packet");
    require(c.lines == inPieces.counts().lines && c.packets == inPieces.counts().packets,
            "pieces of any size count the same");
    return 0;
}

} // namespace camvista::fuzz
