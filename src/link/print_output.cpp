#include "print_output.h"

#include "imaging/safe_write.h"

#include <QDir>
#include <QFileInfo>

namespace camvista::link
{

QString printBaseName(const QDateTime &when, int number)
{
    return QStringLiteral("print-%1-%2")
        .arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss")))
        .arg(number);
}

PrintReport writePrint(const printer::PrintResult &print, const OutputOptions &options,
                       const QDateTime &when)
{
    PrintReport report;
    report.number = print.number;
    report.picture = print.picture;
    if (!print.printed()) {
        report.problem = print.reason();
        report.failed = true;
        return report;
    }
    const QString note = print.checksumNote();
    if (!note.isEmpty() && options.strict) {
        report.problem = note + QStringLiteral(" It was not written, as checksums are strict.");
        report.failed = true;
        return report;
    }
    const bool png = options.format == PrintFormat::Png;
    const EncodedPicture encoded =
        png ? encodePicturePng(print.picture) : encodePictureBmp(print.picture);
    FileStatus status = encoded.status;
    if (encoded.ok()) {
        status =
            writeUnderFreeName(options.folder, printBaseName(when, print.number),
                               png ? QStringLiteral("png") : QStringLiteral("bmp"), encoded.bytes);
    }
    if (!status.ok()) {
        report.problem = QStringLiteral("Print %1: %2").arg(print.number).arg(status.message());
        report.failed = true;
        return report;
    }
    report.path = status.path;
    if (!note.isEmpty())
        report.problem = note + QStringLiteral(" It was written all the same.");
    return report;
}

QString countOf(qint64 n, const char *one, const char *more)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : more));
}

QString captureSummary(const printer::CaptureCounts &counts, int prints)
{
    const auto many = countOf;
    QString text = many(prints, "print", "prints") + QStringLiteral(", ") +
                   many(counts.packets, "packet", "packets");
    if (counts.checksumErrors > 0)
        text += QStringLiteral(" (%1 with a wrong checksum)").arg(counts.checksumErrors);
    text += QStringLiteral(", ") + many(counts.lines, "line", "lines");
    if (counts.unknownLines > 0)
        text += QStringLiteral(" (%1 not understood, skipped)").arg(counts.unknownLines);
    return text;
}

AppPaths applicationPathsFor(const QString &programFolder)
{
    const QFileInfo own(programFolder);
    const bool beside = own.fileName() == QLatin1String("MCCL");
    return AppPaths{beside ? own.absolutePath() : own.absoluteFilePath(), QStringLiteral("cls")};
}

} // namespace camvista::link
