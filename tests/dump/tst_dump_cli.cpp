#include "dump/dump_cli.h"

#include "camera/save_writer.h"
#include "data/frame_pictures.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "support/temp_app_folder.h"

#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace camvista;
using camvista::test::SaveWriter;

namespace
{

// A save with three album photos, one deleted photo and one freed blank slot.
QByteArray sampleSave()
{
    SaveWriter save;
    save.photo(4, test::patternValues(1), 2)
        .photo(0, test::patternValues(2), 3)
        .photo(9, test::patternValues(3), 1)
        .photo(6, test::patternValues(4), 0)
        .photo(7, test::filledValues(0), 0);
    return save.bytes();
}

// The application folder's frames as the build lays them out: default frames 1 and 3 and the
// custom frame "mine".
void putFrames(const test::TempAppFolder &app)
{
    QVERIFY(QDir().mkpath(app.file("frames/default")));
    for (const int n : {1, 3})
        QVERIFY(
            saveGif(data::defaultFrame(n), app.file(QStringLiteral("frames/default/%1.gif").arg(n)))
                .ok());
    QVERIFY(QDir().mkpath(app.file("frames/custom")));
    QVERIFY(saveGif(data::defaultFrame(5), app.file("frames/custom/mine.gif")).ok());
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runInProcess(const QStringList &arguments, const QString &programFolder)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.exitCode = dump::runCommandLine(arguments, programFolder, out, err);
    out.flush();
    err.flush();
    return run;
}

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TstDumpCli : public QObject
{
    Q_OBJECT

private slots:
    void commandLines_data();
    void commandLines();
    void wholeProgram();
    void unreadableSave();
    void listingHoldsOneFileALine();
    void twoCompanionsKeepEveryPhoto();
    void framesOnTheCommandLine_data();
    void framesOnTheCommandLine();
};

void TstDumpCli::commandLines_data()
{
    // In the arguments, SAVE, EMPTY, SHORT, PLAIN and OUT stand for files and a folder the test
    // makes; the expected names are in the folder written to, in the order printed.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("error"); // part of what goes to the error stream

    QTest::newRow("album") << QStringList{"SAVE"} << 0
                           << QStringList{"cam-01.bmp", "cam-02.bmp", "cam-03.bmp"} << "";
    QTest::newRow("into a folder") << QStringList{"SAVE", "--out", "OUT"} << 0
                                   << QStringList{"cam-01.bmp", "cam-02.bmp", "cam-03.bmp"} << "";
    QTest::newRow("deleted") << QStringList{"--deleted", "SAVE"} << 0
                             << QStringList{"cam-01.bmp", "cam-02.bmp", "cam-03.bmp",
                                            "cam-deleted-slot07.bmp"}
                             << "";
    QTest::newRow("extras as png") << QStringList{"SAVE", "--extras", "--png"} << 0
                                   << QStringList{"cam-01.png", "cam-02.png", "cam-03.png",
                                                  "cam-last-seen.png", "cam-game-face.png"}
                                   << "";
    QTest::newRow("an empty camera")
        << QStringList{"EMPTY"} << 0 << QStringList{} << "holds no photos";
    QTest::newRow("help") << QStringList{"--help"} << 0 << QStringList{} << "";

    QTest::newRow("no save named") << QStringList{} << 2 << QStringList{} << "Usage:";
    QTest::newRow("unknown option")
        << QStringList{"SAVE", "--all"} << 2 << QStringList{} << "Unknown option --all";
    QTest::newRow("--out without folder")
        << QStringList{"SAVE", "--out"} << 2 << QStringList{} << "--out needs a folder";
    QTest::newRow("two saves") << QStringList{"SAVE", "EMPTY"} << 2 << QStringList{}
                               << "one too many";
    QTest::newRow("missing save") << QStringList{"gone.sav"} << 1 << QStringList{}
                                  << "could not be found";
    QTest::newRow("wrong size") << QStringList{"SHORT"} << 1 << QStringList{}
                                << "is 1000 bytes long";
    QTest::newRow("no markers") << QStringList{"PLAIN"} << 1 << QStringList{}
                                << "not a Game Boy Camera save";
    QTest::newRow("a folder as save")
        << QStringList{"OUT"} << 1 << QStringList{} << "not a save file";
    QTest::newRow("missing out folder")
        << QStringList{"SAVE", "--out", "OUT/not/there"} << 1 << QStringList{} << "does not exist";
    QTest::newRow("out folder not writable")
        << QStringList{"SAVE", "--out", "/proc"} << 1 << QStringList{}
        << "3 shots could not be written into /proc (";
    QTest::newRow("out names a file")
        << QStringList{"SAVE", "--out", "SHORT"} << 1 << QStringList{} << "is a file, not a folder";
    QTest::newRow("only deleted photos")
        << QStringList{"DELETED"} << 0 << QStringList{}
        << "holds no photos in its album; --deleted writes the 2 photos it still holds as deleted.";
    QTest::newRow("only deleted photos, asked for")
        << QStringList{"DELETED", "--deleted"} << 0
        << QStringList{"gone-deleted-slot02.bmp", "gone-deleted-slot05.bmp"} << "";
}

void TstDumpCli::commandLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, written);
    QFETCH(QString, error);

    test::TempAppFolder app;
    const QString save = app.write("saves/cam.sav", sampleSave());
    const QString empty = app.write("saves/empty.sav", SaveWriter().bytes());
    SaveWriter onlyDeleted;
    onlyDeleted.photo(1, test::patternValues(5), 0).photo(4, test::patternValues(6), 0);
    const QString deleted = app.write("saves/gone.sav", onlyDeleted.bytes());
    const QString shortFile = app.write("saves/short.sav", QByteArray(1000, '\0'));
    const QString plain = app.write("saves/plain.sav", QByteArray(0x20000, '\0'));
    const QString out = app.file("out");
    QVERIFY(QDir().mkpath(out));
    putFrames(app);
    for (QString &arg : arguments) {
        arg.replace("SAVE", save).replace("EMPTY", empty).replace("SHORT", shortFile);
        arg.replace("PLAIN", plain).replace("OUT", out).replace("DELETED", deleted);
    }
    const bool intoOut = arguments.contains(out);
    const QString folder = intoOut ? out : app.file("VUDavizi Shots");

    const Run run = runInProcess(arguments, app.file("VUDaviziDump"));
    QCOMPARE(run.exitCode, exitCode);
    QStringList expected;
    for (const QString &name : std::as_const(written))
        expected.append(QDir(folder).filePath(name));
    if (arguments.contains("--help"))
        QVERIFY(run.out.startsWith(dump::kUsage));
    else
        QCOMPARE(lines(run.out), expected);
    for (const QString &path : std::as_const(expected))
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    if (error.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
    if (exitCode != 0) // a failure leaves no shot behind
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 0);
}

void TstDumpCli::wholeProgram()
{
    // The built program, copied into an application folder of its own.
    test::TempAppFolder app;
    const QString program = app.file("VUDaviziDump/VUDaviziDump");
    QVERIFY(QDir().mkpath(app.file("VUDaviziDump")));
    QVERIFY(QFile::copy(QStringLiteral(CAMVISTA_DUMP_PROGRAM), program));
    const QString save = app.write("my save.sav", sampleSave());
    putFrames(app);

    QProcess process;
    process.start(program, {save, "--extras"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString shots = app.file("VUDavizi Shots");
    QCOMPARE(lines(QString::fromLocal8Bit(process.readAllStandardOutput())),
             (QStringList{shots + "/my save-01.bmp", shots + "/my save-02.bmp",
                          shots + "/my save-03.bmp", shots + "/my save-last-seen.bmp",
                          shots + "/my save-game-face.bmp"}));
    // Without --frame the photos are framed in default frame 1: shots the tools take.
    QCOMPARE(loadPictureFile(shots + "/my save-01.bmp").image.size(), QSize(160, 144));

    // The same again: every photo is there already and no file is added; a script sees the
    // failure of a bad save by the status.
    process.start(program, {save});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(lines(QString::fromLocal8Bit(process.readAllStandardOutput())),
             (QStringList{"already there: " + shots + "/my save-01.bmp",
                          "already there: " + shots + "/my save-02.bmp",
                          "already there: " + shots + "/my save-03.bmp"}));
    QCOMPARE(QDir(shots).entryList(QDir::Files).size(), 5);
    process.start(program, {app.write("bad.sav", "x")});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(process.readAllStandardError().contains("bad.sav"));
}

void TstDumpCli::unreadableSave()
{
    // Root reads anything: the program runs as the user "nobody" to meet a closed file.
    test::TempAppFolder app;
    QVERIFY(QFile::setPermissions(app.path(), QFile::permissions(app.path()) | QFile::ExeOther |
                                                  QFile::ReadOther));
    const QString program = app.file("VUDaviziDump");
    QVERIFY(QFile::copy(QStringLiteral(CAMVISTA_DUMP_PROGRAM), program));
    const QString save = app.write("closed.sav", sampleSave());
    QVERIFY(QFile::setPermissions(save, QFile::WriteOwner));

    QString command = program;
    QStringList arguments{save, "--out", app.path(), "--frame", "none"};
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (setpriv.isEmpty())
            QSKIP("running as root and setpriv is not installed");
        const QStringList drop{"--reuid=65534", "--regid=65534", "--clear-groups"};
        if (QProcess::execute(setpriv, drop + QStringList{"true"}) != 0)
            QSKIP("running as root and setpriv cannot drop privileges here");
        arguments = drop + QStringList{program} + arguments;
        command = setpriv;
    }
    QProcess process;
    process.start(command, arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY2(err.contains("closed.sav") && err.contains("cannot be read"), qPrintable(err));
    QVERIFY(process.readAllStandardOutput().isEmpty());
}

void TstDumpCli::listingHoldsOneFileALine()
{
    test::TempAppFolder app;
    const QString program = app.file("VUDaviziDump");
    QVERIFY(QFile::copy(QStringLiteral(CAMVISTA_DUMP_PROGRAM), program));
    const QString out = app.file("out");
    QVERIFY(QDir().mkpath(out));
    SaveWriter one;
    one.photo(0, test::patternValues(1), 1);
    const QString save = app.write("two\nlines.sav", one.bytes());

    // A name with a newline is quoted, so that a script still reads one file a line.
    QProcess process;
    process.start(program, {save, "--out", out, "--frame", "none"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()),
             "\"" + out + "/two\\nlines-01.bmp\"\n");
    QVERIFY(QFileInfo(out + "/two\nlines-01.bmp").isFile());

    // A listing that cannot be written is a failure, told in the system's words.
    process.setStandardOutputFile("/dev/full");
    process.start(program, {save, "--out", out, "--frame", "none"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(err.contains(qt_error_string(ENOSPC)), qPrintable(err));

    // A named pipe given as the save is called what it is, and nothing waits for a writer.
    const QString pipe = app.file("pipe.sav");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {pipe, "--out", out});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("is a named pipe, not a save file"));
}

void TstDumpCli::twoCompanionsKeepEveryPhoto()
{
    // Two cameras' saves of the same name, written into one folder by two companions at once,
    // again and again: each of the 60 photos must end up in a file of its own.
    test::TempAppFolder app;
    const QString program = app.file("VUDaviziDump");
    QVERIFY(QFile::copy(QStringLiteral(CAMVISTA_DUMP_PROGRAM), program));
    QStringList saves;
    for (unsigned camera = 0; camera < 2; ++camera) {
        SaveWriter save;
        for (int slot = 0; slot < 30; ++slot)
            save.photo(slot, test::patternValues(100 * camera + unsigned(slot)), slot + 1);
        saves << app.write(QStringLiteral("camera%1/cam.sav").arg(camera), save.bytes());
    }
    for (int round = 0; round < 5; ++round) {
        const QString out = app.file(QStringLiteral("out%1").arg(round));
        QVERIFY(QDir().mkpath(out));
        QProcess companions[2];
        for (int i = 0; i < 2; ++i)
            companions[i].start(program, {saves[i], "--out", out, "--frame", "none"});
        QSet<QString> listed;
        for (QProcess &companion : companions) {
            QVERIFY(companion.waitForFinished(60000));
            QCOMPARE(companion.exitCode(), 0);
            const QStringList paths =
                lines(QString::fromLocal8Bit(companion.readAllStandardOutput()));
            QCOMPARE(paths.size(), 30);
            for (const QString &path : paths)
                listed.insert(path);
        }
        QCOMPARE(listed.size(), 60);
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 60);
    }
}

void TstDumpCli::framesOnTheCommandLine_data()
{
    QTest::addColumn<QStringList>("frameArguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("frame"); // the default frame the shots are in, 0 for none, -1 custom
    QTest::addColumn<QString>("error");

    QTest::newRow("default: frame 1") << QStringList{} << 0 << 1 << "";
    QTest::newRow("a default frame by number") << QStringList{"--frame", "3"} << 0 << 3 << "";
    QTest::newRow("a custom frame by name") << QStringList{"--frame", "mine"} << 0 << -1 << "";
    QTest::newRow("none") << QStringList{"--frame", "none"} << 0 << 0 << "";
    QTest::newRow("a frame that is not there")
        << QStringList{"--frame", "7"} << 2 << 0 << "There is no frame 7 in ";
    QTest::newRow("no frame named") << QStringList{"--frame"} << 2 << 0 << "--frame needs a frame";
    QTest::newRow("the default frame is missing")
        << QStringList{"DROP1"} << 1 << 0 << "Give --frame none for photos without a frame.";
    QTest::newRow("a damaged frame")
        << QStringList{"BREAK3", "--frame", "3"} << 1 << 0 << "is damaged or incomplete";
}

void TstDumpCli::framesOnTheCommandLine()
{
    QFETCH(QStringList, frameArguments);
    QFETCH(int, exitCode);
    QFETCH(int, frame);
    QFETCH(QString, error);
    test::TempAppFolder app;
    putFrames(app);
    if (frameArguments.removeAll("DROP1") > 0)
        QVERIFY(QFile::remove(app.file("frames/default/1.gif")));
    if (frameArguments.removeAll("BREAK3") > 0)
        app.write("frames/default/3.gif", QByteArray("GIF89a\x10\x00\x10\x00\x00\x00\x00", 13));
    const QString out = app.file("out");
    QVERIFY(QDir().mkpath(out));
    const QString save = app.write("cam.sav", sampleSave());

    const Run run =
        runInProcess(QStringList{save, "--out", out} + frameArguments, app.file("VUDaviziDump"));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(error.isEmpty() ? run.err.isEmpty() : run.err.contains(error), qPrintable(run.err));
    const QStringList written = lines(run.out);
    QCOMPARE(written.size(), exitCode == 0 ? 3 : 0);
    for (const QString &path : written) {
        const PictureLoad shot = loadPictureFile(path);
        QVERIFY2(shot.ok(), qPrintable(shot.status.message()));
        if (frame == 0) {
            QCOMPARE(shot.image.size(), QSize(128, 112));
            continue;
        }
        // The frame's opaque pixels around the photo, the photo itself inside.
        const QImage laid = frame > 0 ? data::defaultFrame(frame) : data::defaultFrame(5);
        QCOMPARE(shot.image.size(), QSize(160, 144));
        QCOMPARE(shot.image.pixel(0, 0), laid.pixel(0, 0));
        QCOMPARE(shot.image.pixel(159, 143), laid.pixel(159, 143));
    }
}

QTEST_GUILESS_MAIN(TstDumpCli)
#include "tst_dump_cli.moc"
