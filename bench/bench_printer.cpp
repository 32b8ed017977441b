#include "printer/capture_file.h"

#include "printer/printer_encoder.h"
#include "support/test_pictures.h"

#include <benchmark/benchmark.h>

namespace
{

using camvista::printer::CaptureReader;
using camvista::printer::PrintResult;

// What a printer emulator writes for `prints` camera prints: 160 x 144 each, one packet a line
// with the printer's replies, in the plain form the camera sends.
const QByteArray &captureOfCameraPrints(int prints)
{
    static QByteArray text;
    static int made = 0;
    if (made != prints) {
        QList<QImage> shots;
        for (int i = 0; i < prints; ++i)
            shots << camvista::test::fourShadeShot(160, 144, quint32(100 + i));
        text = camvista::test::captureOf(shots);
        made = prints;
    }
    return text;
}

// A whole capture file's text, parsed and decoded into pictures.
void BM_ReadCaptureOf100Prints(benchmark::State &state)
{
    const QByteArray &text = captureOfCameraPrints(100);
    for (auto _ : state) {
        CaptureReader reader;
        QList<PrintResult> prints = reader.feed(text);
        prints += reader.finish();
        if (prints.size() != 100 || !prints.last().printed())
            state.SkipWithError("the capture did not give its 100 prints");
        benchmark::DoNotOptimize(prints.last().picture.constBits());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["capture_bytes"] = double(text.size());
}
BENCHMARK(BM_ReadCaptureOf100Prints)->Unit(benchmark::kMillisecond);

// The same text as a serial port hands it over: `range(0)` bytes a read. The cost a byte, set
// against the 11520 bytes a second of 115200 baud 8N1, is the share of one core that live
// decoding takes: the counter core_percent_at_115200.
void BM_LiveDecoding(benchmark::State &state)
{
    const QByteArray &text = captureOfCameraPrints(10);
    const qsizetype piece = state.range(0);
    for (auto _ : state) {
        CaptureReader reader;
        int printed = 0;
        for (qsizetype at = 0; at < text.size(); at += piece) {
            const QList<PrintResult> prints =
                reader.feed(text.constData() + at, std::min(piece, text.size() - at));
            printed += int(prints.size());
        }
        printed += int(reader.finish().size());
        if (printed != 10)
            state.SkipWithError("the capture did not give its 10 prints");
    }
    const double serialSeconds = double(state.iterations()) * double(text.size()) / 11520.0;
    state.counters["core_percent_at_115200"] = benchmark::Counter(
        serialSeconds / 100.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_LiveDecoding)->Arg(1)->Arg(16)->Arg(512)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
