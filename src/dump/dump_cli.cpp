#include "dump_cli.h"

#include "dump_export.h"
#include "dump_frames.h"

#include "imaging/console_output.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace camvista::dump
{

namespace
{

struct Options {
    QString save;
    QString out;   // empty: the shots folder
    QString frame; // empty: the default frame
    bool deleted = false;
    bool extras = false;
    bool png = false;
    bool help = false;
};

std::optional<Options> parse(const QStringList &arguments, QString &why)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--out")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                why = QStringLiteral("--out needs a folder.");
                return std::nullopt;
            }
            options.out = arguments[++i];
        } else if (arg == QLatin1String("--frame")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                why = QStringLiteral("--frame needs a frame: its number, its name or none.");
                return std::nullopt;
            }
            options.frame = arguments[++i];
        } else if (arg == QLatin1String("--deleted")) {
            options.deleted = true;
        } else if (arg == QLatin1String("--extras")) {
            options.extras = true;
        } else if (arg == QLatin1String("--png")) {
            options.png = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            why = QStringLiteral("Unknown option %1.").arg(arg);
            return std::nullopt;
        } else if (options.save.isEmpty()) {
            options.save = arg;
        } else {
            why = QStringLiteral("Only one save file at a time: %1 is one too many.").arg(arg);
            return std::nullopt;
        }
    }
    if (options.save.isEmpty() && !options.help) {
        why = QStringLiteral("Which save file?");
        return std::nullopt;
    }
    return options;
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
            << "Writes the photos of a Game Boy Camera save as shots and prints the path of each "
               "file written\n(\"already there: PATH\" for a photo whose file is there already).\n"
            << "  --out FOLDER  write into FOLDER (it must exist) instead of the shots folder\n"
            << "  --frame N|NAME|none\n"
            << "                lay default frame N (1 to 21) or the custom frame NAME: 160 x 144 "
               "shots;\n"
            << "                none keeps the bare 128 x 112 photos; without it, frame 1\n"
            << "  --deleted     add the deleted photos the save still holds\n"
            << "  --extras      add the last-seen picture and the game face\n"
            << "  --png         write PNG files instead of BMP\n"
            << "VUDaviziDump --open FILE.sav shows the save in the window instead.\n";
        return kExitOk;
    }

    const AppPaths paths = applicationPathsFor(programFolder);
    const camera::SaveRead save = camera::readSaveFile(options->save);
    if (!save.ok()) {
        err << save.message() << '\n';
        return kExitFailed;
    }

    QString folder = options->out;
    if (folder.isEmpty()) {
        folder = paths.shotsFolder();
        const FileStatus made = ensureFolder(folder);
        if (!made.ok()) {
            err << QStringLiteral("The shots folder %1 cannot be created (%2: %3).")
                       .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(made.path),
                            made.detail)
                << '\n';
            return kExitFailed;
        }
    } else if (const QString problem = folderProblem(folder); !problem.isEmpty()) {
        // A mistyped folder is better reported than quietly created.
        err << problem << '\n';
        return kExitFailed;
    }

    const QString frameKey = options->frame.isEmpty() ? kDefaultFrameKey : options->frame;
    const std::optional<DumpFrame> frame = frameNamed(paths, frameKey);
    if (!frame) {
        err << QStringLiteral("There is no frame %1 in %2.")
                   .arg(frameKey, QDir::toNativeSeparators(paths.file(QStringLiteral("frames"))));
        if (options->frame.isEmpty())
            err << QStringLiteral(" Give --frame none for photos without a frame.");
        err << '\n';
        return options->frame.isEmpty() ? kExitFailed : kExitUsage;
    }
    const PictureLoad framePicture = loadFrame(*frame);
    if (!framePicture.ok()) {
        err << framePicture.status.message() << '\n';
        return kExitFailed;
    }

    const QList<DumpShot> shots = shotsOfSave(save, options->deleted, options->extras);
    if (shots.isEmpty()) {
        const PhotoCounts counts = countPhotos(save);
        const QString name = QFileInfo(options->save).fileName();
        if (counts.deleted > 0 && !options->deleted)
            err << QStringLiteral("The save %1 holds no photos in its album; --deleted writes the "
                                  "%2 it still holds as deleted.")
                       .arg(name, photosText(counts.deleted));
        else
            err << QStringLiteral("The save %1 holds no photos.").arg(name);
        err << '\n';
        return kExitOk;
    }
    const DumpResult result =
        writeShots(shots, options->save, QFileInfo(folder).absoluteFilePath(),
                   options->png ? ShotFormat::Png : ShotFormat::Bmp, framePicture.image);
    // One path a line, whatever the names hold: a script reads each line as one file.
    for (const QString &path : result.written)
        out << pathForListing(QDir::toNativeSeparators(path)) << '\n';
    for (const QString &path : result.alreadyThere)
        out << "already there: " << pathForListing(QDir::toNativeSeparators(path)) << '\n';
    for (const QString &message : result.failureMessages())
        err << message << '\n';
    out.flush();
    err.flush();
    return result.failures.isEmpty() ? kExitOk : kExitFailed;
}

} // namespace camvista::dump
