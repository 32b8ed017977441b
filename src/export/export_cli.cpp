#include "export_cli.h"

#include "export_run.h"

#include "colour/palette_catalogue.h"
#include "imaging/console_output.h"
#include "platform/app_paths.h"
#include "shotwork/frames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace camvista::exporting
{

namespace
{

const QString kProgram = QStringLiteral("camvista");

struct Parsed {
    ExportOptions options;
    QStringList files;
};

std::optional<PaletteChoice> paletteNamed(const QString &text, QString &why)
{
    if (text == QLatin1String("none"))
        return PaletteChoice::keep();
    static const QRegularExpression four(QStringLiteral(
        "^#([0-9a-fA-F]{6}),#([0-9a-fA-F]{6}),#([0-9a-fA-F]{6}),#([0-9a-fA-F]{6})$"));
    if (const QRegularExpressionMatch m = four.match(text); m.hasMatch()) {
        std::array<QRgb, 4> colours{};
        for (int k = 0; k < 4; ++k)
            colours[std::size_t(k)] = 0xFF000000u | m.captured(k + 1).toUInt(nullptr, 16);
        return PaletteChoice::customColours(colours);
    }
    const auto palettes = namedPalettes();
    // The exact caption first; a caption typed in another case is taken too.
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (std::size_t i = 0; i < palettes.size(); ++i) {
            if (palettes[i].caption.compare(text, cs) == 0)
                return PaletteChoice::named(int(i));
        }
    }
    why = QStringLiteral("There is no palette \"%1\" (see --help for the captions).").arg(text);
    return std::nullopt;
}

std::optional<FrameChoice> frameNamed(const QString &text, const AppPaths &paths, QString &why)
{
    if (text == QLatin1String("keep"))
        return FrameChoice::keep();
    if (text == QLatin1String("none"))
        return FrameChoice::none();
    const QList<shotwork::FrameEntry> frames =
        shotwork::availableFrames(paths.file(QStringLiteral("\\frames")));
    if (const shotwork::FrameEntry *entry = shotwork::findFrame(frames, text))
        return entry->isDefault() ? FrameChoice::defaultFrame(entry->number)
                                  : FrameChoice::customFrame(entry->name);
    why = QStringLiteral("There is no frame \"%1\" (see --help for the frames).").arg(text);
    return std::nullopt;
}

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QString catalogueHelp(const AppPaths &paths)
{
    QString text = QStringLiteral("\nPalettes for --palette (or none, or four colours "
                                  "#RRGGBB,#RRGGBB,#RRGGBB,#RRGGBB\nfor white, light grey, dark "
                                  "grey and black):\n");
    for (const NamedPalette &palette : namedPalettes())
        text += QStringLiteral("  ") + palette.caption.toString() + QLatin1Char('\n');
    text += QStringLiteral("\nFrames for --frame (or keep, or none):\n");
    const QList<shotwork::FrameEntry> frames =
        shotwork::availableFrames(paths.file(QStringLiteral("\\frames")));
    QStringList numbers;
    for (const shotwork::FrameEntry &frame : frames) {
        if (frame.isDefault())
            numbers << QString::number(frame.number);
    }
    if (!numbers.isEmpty())
        text += QStringLiteral("  default frames: ") + numbers.join(QLatin1Char(' ')) +
                QLatin1Char('\n');
    for (const shotwork::FrameEntry &frame : frames) {
        if (!frame.isDefault())
            text += QStringLiteral("  ") + frame.name + QLatin1Char('\n');
    }
    if (frames.isEmpty())
        text += QStringLiteral("  (no frames in %1)\n")
                    .arg(QDir::toNativeSeparators(paths.file(QStringLiteral("\\frames"))));
    return text;
}

// Fills `parsed`; returns an exit code when the command ends here (help, version, a mistake).
std::optional<int> parse(const QStringList &arguments, const AppPaths &paths, Parsed &parsed,
                         QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Exports shots the way the editor's steps make them: a palette, a frame "
                       "and the gamma for all, enlarged by a whole factor. Prints the path of "
                       "each file written."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption exportOption(QStringLiteral("export"),
                                          QStringLiteral("Exports the files named (no window)."));
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Writes into DIR (created when missing); "
                                                      "by default \"Exports\" in the shots "
                                                      "folder."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption paletteOption(
        QStringLiteral("palette"),
        QStringLiteral("A palette caption, none (the greys), or four colours."),
        QStringLiteral("PALETTE"), QStringLiteral("none"));
    const QCommandLineOption frameOption(
        QStringLiteral("frame"),
        QStringLiteral("A default frame's number, a custom frame's name, none or keep."),
        QStringLiteral("FRAME"), QStringLiteral("keep"));
    const QCommandLineOption gammaOption(QStringLiteral("gamma"),
                                         QStringLiteral("The fourth step's gamma, above 0."),
                                         QStringLiteral("G"), QStringLiteral("1"));
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("A whole factor from 1 to 10."),
                                         QStringLiteral("K"), QStringLiteral("4"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("png, bmp or gif."),
                                          QStringLiteral("FORMAT"), QStringLiteral("png"));
    const QCommandLineOption animateOption(
        QStringLiteral("animate"),
        QStringLiteral("One animated GIF of all the files, in their order, DELAY_MS a frame."),
        QStringLiteral("DELAY_MS"));
    const QCommandLineOption loopOption(
        QStringLiteral("loop"), QStringLiteral("How often the animation repeats; 0 is forever."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption bounceOption(QStringLiteral("bounce"),
                                          QStringLiteral("Plays the animation back and forth."));
    const QCommandLineOption nameOption(
        QStringLiteral("name"),
        QStringLiteral("The file name pattern with {name}, {palette}, {frame} and {scale}."),
        QStringLiteral("PATTERN"), QStringLiteral("{name}-{scale}x"));
    parser.addOptions({help, exportOption, outOption, paletteOption, frameOption, gammaOption,
                       scaleOption, formatOption, animateOption, loopOption, bounceOption,
                       nameOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The shots to export."),
                                 QStringLiteral("FILE..."));

    const auto usage = [&](const QString &why) {
        err << kProgram << ": " << why << '\n' << "Try 'camvista --export --help'.\n";
        return kExitUsage;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        out << parser.helpText() << catalogueHelp(paths);
        return finishStandardOutput(&out) ? kExitAllWritten : kExitNotAllWritten;
    }

    ExportOptions &o = parsed.options;
    QString why;
    const std::optional<PaletteChoice> palette = paletteNamed(parser.value(paletteOption), why);
    if (!palette)
        return usage(why);
    o.palette = *palette;
    const std::optional<FrameChoice> frame = frameNamed(parser.value(frameOption), paths, why);
    if (!frame)
        return usage(why);
    o.frame = *frame;
    bool ok = false;
    o.gamma = parser.value(gammaOption).toDouble(&ok);
    if (!ok || !(o.gamma > 0.0))
        return usage(QStringLiteral("--gamma needs a number above 0."));
    const std::optional<int> scale =
        wholeNumber(parser.value(scaleOption), ExportOptions::kMinScale, ExportOptions::kMaxScale);
    if (!scale)
        return usage(QStringLiteral("--scale needs a whole factor from 1 to 10."));
    o.scale = *scale;
    const QString format = parser.value(formatOption);
    if (format == QLatin1String("png"))
        o.format = ExportFormat::Png;
    else if (format == QLatin1String("bmp"))
        o.format = ExportFormat::Bmp;
    else if (format == QLatin1String("gif"))
        o.format = ExportFormat::Gif;
    else
        return usage(QStringLiteral("--format is png, bmp or gif."));
    o.animate = parser.isSet(animateOption);
    if (o.animate) {
        const std::optional<int> delay = wholeNumber(parser.value(animateOption), 0, 655350);
        if (!delay)
            return usage(QStringLiteral("--animate needs the delay of a frame in milliseconds."));
        o.delayMs = *delay;
    } else if (parser.isSet(loopOption) || parser.isSet(bounceOption)) {
        return usage(QStringLiteral("--loop and --bounce go with --animate."));
    }
    const std::optional<int> loop = wholeNumber(parser.value(loopOption), 0, 65535);
    if (!loop)
        return usage(QStringLiteral("--loop needs a count from 0 (forever) to 65535."));
    o.loopCount = *loop;
    o.bounce = parser.isSet(bounceOption);
    o.namePattern = parser.value(nameOption);
    o.destination = parser.isSet(outOption) ? parser.value(outOption) : defaultExportFolder(paths);
    if (o.destination.isEmpty())
        return usage(QStringLiteral("--out needs a folder."));
    o.destination = QFileInfo(o.destination).absoluteFilePath();
    if (const QString problem = checkOptions(o); !problem.isEmpty())
        return usage(problem);
    parsed.files = parser.positionalArguments();
    if (parsed.files.isEmpty())
        return usage(QStringLiteral("Which files? Name the shots to export."));
    return std::nullopt;
}

QString bar(int done, int total)
{
    constexpr int kWidth = 30;
    const int filled = total > 0 ? int(qint64(done) * kWidth / total) : kWidth;
    return QStringLiteral("\r[") + QString(filled, QLatin1Char('#')) +
           QString(kWidth - filled, QLatin1Char('-')) +
           QStringLiteral("] %1/%2").arg(done).arg(total);
}

} // namespace

bool isExportCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], "--export") == 0)
            return true;
    }
    return false;
}

int exportMain(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Camvista"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runExportCommand(QCoreApplication::arguments(), AppPaths::fromApplication(), out, err,
                            isatty(STDERR_FILENO) == 1);
}

int runExportCommand(const QStringList &arguments, const AppPaths &paths, QTextStream &out,
                     QTextStream &err, bool terminal)
{
    Parsed parsed;
    if (const std::optional<int> ended = parse(arguments, paths, parsed, out, err))
        return *ended;

    ExportRun run(parsed.files, parsed.options, paths);
    QString lastSource; // of the outcome the next progress step belongs to
    const int total = int(parsed.files.size());
    bool barShown = false;
    const auto clearBar = [&] {
        if (barShown)
            err << '\r' << QString(bar(total, total).size(), QLatin1Char(' ')) << '\r';
        barShown = false;
    };
    QObject::connect(&run, &ExportRun::itemFinished, [&](const ItemOutcome &outcome) {
        const QString source = QDir::toNativeSeparators(outcome.source);
        switch (outcome.kind) {
        case ItemOutcome::Kind::Written:
            out << pathForListing(QDir::toNativeSeparators(outcome.path)) << '\n';
            break;
        case ItemOutcome::Kind::AlreadyThere:
            out << "already there: " << pathForListing(QDir::toNativeSeparators(outcome.path))
                << '\n';
            break;
        case ItemOutcome::Kind::Skipped:
            clearBar();
            err << "skipped " << source << ": " << outcome.reason << '\n';
            break;
        case ItemOutcome::Kind::Failed:
            clearBar();
            err << "failed " << source << ": " << outcome.reason << '\n';
            break;
        }
        out.flush();
        err.flush();
        lastSource = source;
    });
    QObject::connect(&run, &ExportRun::progress, [&](int done, int) {
        if (terminal) {
            err << bar(done, total);
            barShown = true;
        } else {
            err << '[' << done << '/' << total << ']';
            if (!lastSource.isEmpty())
                err << ' ' << lastSource;
            err << '\n';
        }
        lastSource.clear();
        err.flush();
    });
    QEventLoop loop;
    QObject::connect(&run, &ExportRun::finished, &loop, &QEventLoop::quit);
    run.start();
    if (!run.isFinished())
        loop.exec();
    clearBar();

    const ExportSummary &s = run.summary();
    if (!s.stopReason.isEmpty())
        err << kProgram << ": the export stopped: " << s.stopReason << '\n';
    err << s.written << (s.written == 1 ? " file" : " files") << " written, " << s.alreadyThere
        << " already there, " << s.skipped << " skipped, " << s.failed << " failed.\n";
    err.flush();
    const bool listed = finishStandardOutput(&out);
    return s.allWritten() && listed ? kExitAllWritten : kExitNotAllWritten;
}

} // namespace camvista::exporting
