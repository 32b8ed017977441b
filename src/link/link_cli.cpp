#include "link_cli.h"

#include "print_output.h"
#include "serial_link.h"

#include "imaging/console_output.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <optional>
#include <unistd.h>

namespace camvista::link
{

namespace
{

struct Options {
    QString capture;
    QString port;
    int baud = kDefaultBaud;
    int count = 0; // 0: until Ctrl+C
    QString out;   // empty: the shots folder
    bool png = false;
    bool strict = false;
    bool help = false;
};

std::optional<int> positiveNumber(const QString &text, int most)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n > 0 && n <= most ? std::optional<int>(n) : std::nullopt;
}

std::optional<Options> parse(const QStringList &arguments, QString &why)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        const bool valued = arg == QLatin1String("--out") || arg == QLatin1String("--port") ||
                            arg == QLatin1String("--baud") || arg == QLatin1String("--count");
        if (valued && (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())) {
            why = QStringLiteral("%1 needs a value.").arg(arg);
            return std::nullopt;
        }
        if (arg == QLatin1String("--out")) {
            options.out = arguments[++i];
        } else if (arg == QLatin1String("--port")) {
            options.port = arguments[++i];
        } else if (arg == QLatin1String("--baud") || arg == QLatin1String("--count")) {
            const std::optional<int> n = positiveNumber(arguments[++i], 4000000);
            if (!n) {
                why = QStringLiteral("%1 needs a whole number above 0, not %2.")
                          .arg(arg, arguments[i]);
                return std::nullopt;
            }
            (arg == QLatin1String("--baud") ? options.baud : options.count) = *n;
        } else if (arg == QLatin1String("--png")) {
            options.png = true;
        } else if (arg == QLatin1String("--strict")) {
            options.strict = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            why = QStringLiteral("Unknown option %1.").arg(arg);
            return std::nullopt;
        } else if (options.capture.isEmpty()) {
            options.capture = arg;
        } else {
            why = QStringLiteral("Only one capture at a time: %1 is one too many.").arg(arg);
            return std::nullopt;
        }
    }
    if (options.help)
        return options;
    if (options.capture.isEmpty() == options.port.isEmpty()) {
        why = options.port.isEmpty() ? QStringLiteral("Which capture file, or which --port?")
                                     : QStringLiteral("Either a capture file or --port, not both.");
        return std::nullopt;
    }
    if (options.capture.contains(QChar(0)) || options.out.contains(QChar(0)) ||
        options.port.contains(QChar(0))) {
        why = QStringLiteral("A file name cannot hold a NUL character.");
        return std::nullopt;
    }
    return options;
}

// Tells what became of a print: its path on `out`, anything else on `err`.
void tell(const PrintReport &report, QTextStream &out, QTextStream &err)
{
    if (!report.path.isEmpty())
        out << pathForListing(QDir::toNativeSeparators(report.path)) << Qt::endl;
    if (!report.problem.isEmpty())
        err << report.problem << Qt::endl;
}

int readCapture(const Options &options, const OutputOptions &output, QTextStream &out,
                QTextStream &err)
{
    const printer::CaptureRead read = printer::readCaptureFile(options.capture);
    if (!read.ok()) {
        err << read.message() << '\n';
        return kExitFailed;
    }
    bool failed = false;
    for (const printer::PrintResult &print : read.prints) {
        const PrintReport report = writePrint(print, output);
        tell(report, out, err);
        failed = failed || report.failed;
    }
    err << QFileInfo(options.capture).fileName() << ": "
        << captureSummary(read.counts, int(read.prints.size())) << ".\n";
    if (read.endedInsidePacket)
        err << "The capture ends inside a packet: it was cut short.\n";
    if (read.prints.isEmpty()) {
        err << (read.counts.packets == 0 ? "It holds no printer packets: is it a capture?\n"
                                         : "It holds no print.\n");
        failed = true;
    }
    return failed ? kExitFailed : kExitOk;
}

// Ctrl+C ends the reading of a port cleanly, through the event loop: prints still arriving
// are told cut short rather than lost without a word.
int g_interruptPipe[2] = {-1, -1};

void onInterrupt(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_interruptPipe[1], &byte, 1);
}

int readPort(const Options &options, const OutputOptions &output, QTextStream &out,
             QTextStream &err)
{
    SerialLink link;
    QString why;
    if (!link.open(options.port, options.baud, why)) {
        err << why << '\n';
        return kExitFailed;
    }
    bool failed = false;
    QObject::connect(&link, &SerialLink::printReceived, [&](const printer::PrintResult &print) {
        const PrintReport report = writePrint(print, output);
        tell(report, out, err);
        failed = failed || report.failed;
        if (options.count > 0 && link.prints() >= options.count)
            QCoreApplication::quit();
    });
    QObject::connect(&link, &SerialLink::portLost, [&](const QString &lost) {
        err << lost << Qt::endl;
        failed = true;
        QCoreApplication::quit();
    });

    std::optional<QSocketNotifier> interrupt;
    if (::pipe(g_interruptPipe) == 0) {
        interrupt.emplace(g_interruptPipe[0], QSocketNotifier::Read);
        QObject::connect(&*interrupt, &QSocketNotifier::activated,
                         [] { QCoreApplication::quit(); });
        std::signal(SIGINT, onInterrupt);
        std::signal(SIGTERM, onInterrupt);
    }
    err << "Reading " << portDevice(options.port) << " at " << options.baud << " baud; Ctrl+C ends."
        << Qt::endl;
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    link.close(); // a print still on its way is told cut short
    err << portDevice(options.port) << ": " << captureSummary(link.counts(), link.prints())
        << ".\n";
    return failed ? kExitFailed : kExitOk;
}

// The folder the prints go to: `out`, which must be there, or the shots folder, made when it
// is missing. Nothing, with the reason told, when neither can be had.
std::optional<QString> outputFolder(const QString &out, const QString &programFolder,
                                    QTextStream &err)
{
    const QString shown = QDir::toNativeSeparators(out);
    if (out.isEmpty()) {
        const QString shots = applicationPathsFor(programFolder).shotsFolder();
        if (QFileInfo(shots).isDir() || QDir().mkpath(shots))
            return shots;
        err << "The shots folder " << QDir::toNativeSeparators(shots) << " cannot be created.\n";
    } else if (QFileInfo(out).isDir()) {
        return out;
    } else if (QFileInfo::exists(out)) {
        err << shown << " is not a folder.\n";
    } else {
        // A mistyped folder is better reported than quietly created.
        err << "The folder " << shown << " does not exist.\n";
    }
    return std::nullopt;
}

} // namespace

int runCommandLine(const QStringList &arguments, const QString &programFolder, QTextStream &out,
                   QTextStream &err)
{
    QString why;
    const std::optional<Options> options = parse(arguments, why);
    if (!options) {
        err << why << '\n' << kUsage << '\n';
        return kExitUsage;
    }
    if (options->help) {
        out << kUsage << '\n'
            << "Writes the prints of a Game Boy Printer emulator's capture, or of its serial "
               "port as they arrive, and prints the path of each file written.\n"
            << "  --out DIR   write into DIR (it must exist) instead of the shots folder\n"
            << "  --png       write PNG files instead of BMP\n"
            << "  --strict    do not write a print with a packet whose checksum does not match\n"
            << "  --port DEV  read the serial port DEV (ttyACM0, /dev/ttyUSB0, ...)\n"
            << "  --baud N    its speed, 115200 unless given\n"
            << "  --count N   stop after N prints instead of at Ctrl+C\n";
        return finishStandardOutput(&out) ? kExitOk : kExitFailed;
    }

    const std::optional<QString> folder = outputFolder(options->out, programFolder, err);
    if (!folder)
        return kExitFailed;
    const OutputOptions output{QFileInfo(*folder).absoluteFilePath(),
                               options->png ? PrintFormat::Png : PrintFormat::Bmp, options->strict};
    const int status = options->port.isEmpty() ? readCapture(*options, output, out, err)
                                               : readPort(*options, output, out, err);
    err.flush();
    return finishStandardOutput(&out) ? status : kExitFailed;
}

} // namespace camvista::link
