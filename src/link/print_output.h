#pragma once

#include "platform/app_paths.h"
#include "printer/capture_file.h"

#include <QDateTime>
#include <QImage>
#include <QString>

namespace camvista::link
{

enum class PrintFormat { Bmp, Png };

struct OutputOptions {
    QString folder;
    PrintFormat format = PrintFormat::Bmp;
    bool strict = false; // a print with a mismatched checksum is not written
};

// What became of one print.
struct PrintReport {
    int number = 0;
    QString path;    // the file written, or empty
    QImage picture;  // the print, when it could be decoded
    QString problem; // what went wrong, or what to know about it; empty when nothing
    bool failed = false;
};

// "print-20261209-181503-2": the time it is written and its number in the capture.
QString printBaseName(const QDateTime &when, int number);

// Writes a decoded print into the folder under a free name, never over an existing file: BMP
// in the editor's 24-bit layout, or PNG. A print whose checksums did not all match is written
// all the same unless `strict`; one that could not be decoded is only reported.
PrintReport writePrint(const printer::PrintResult &print, const OutputOptions &options,
                       const QDateTime &when = QDateTime::currentDateTime());

// "1 print", "3 prints".
QString countOf(qint64 n, const char *one, const char *more);

// What the capture held, in one line: "3 prints, 40 packets (2 with a wrong checksum), 120
// lines (4 not understood, skipped)".
QString captureSummary(const printer::CaptureCounts &counts, int prints);

// The application folder the companion belongs to: the folder above its own when it lives in
// "MCCL" beside the main program, else its own folder.
AppPaths applicationPathsFor(const QString &programFolder);

} // namespace camvista::link
