#include "export_test_support.h"

#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

using namespace camvista;

namespace
{

struct Run {
    int exitCode = -1;
    QStringList out;
    QString err;
};

// The program copied into an application folder of its own, started the way a script starts
// it: no display, no platform plugin chosen.
struct CommandLine {
    test::ExportFolder folder;
    QString program = folder.app.file("camvista");

    CommandLine()
    {
        QFile::copy(QStringLiteral(CAMVISTA_PROGRAM), program);
        // Readable for an unprivileged user too, for the test of an unwritable folder.
        QFile::setPermissions(folder.app.path(), QFile::permissions(folder.app.path()) |
                                                     QFile::ExeOther | QFile::ReadOther);
    }

    Run run(const QStringList &arguments, const QString &stdoutFile = {},
            const QStringList &wrapper = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        QStringList all = wrapper;
        all << program << QStringLiteral("--export") << arguments;
        const QString command = all.takeFirst();
        process.start(command, all);
        Run run;
        if (!process.waitForFinished(60000))
            return run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput())
                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
    QString out(const QString &name) const { return QDir(folder.out()).filePath(name); }
};

} // namespace

class TstExportCli : public QObject
{
    Q_OBJECT

private slots:
    void exitStatusAndOutput_data();
    void exitStatusAndOutput();
    void aSecondRunFindsTheFilesThere();
    void helpListsOptionsPalettesAndFrames();
    void anUnwritableFolderStopsTheExport();
};

void TstExportCli::exitStatusAndOutput_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("withDamaged");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("written"); // file names on standard output, in any order
    QTest::addColumn<QString>("inErr");
    QTest::newRow("every file written")
        << QStringList{"--palette", "Game Boy Pocket", "--frame", "3", "--scale", "6"} << false << 0
        << QStringList{"a-6x.png", "b-6x.png"} << "[2/2]";
    QTest::newRow("own colours, custom frame, gamma, BMP")
        << QStringList{"--palette", "#ff0000,#00ff00,#0000ff,#101010",
                       "--frame",   "mine",
                       "--gamma",   "1.5",
                       "--format",  "bmp",
                       "--name",    "{name}_{frame}_{scale}"}
        << false << 0 << QStringList{"a_mine_4.bmp", "b_mine_4.bmp"} << "2 files written";
    QTest::newRow("one animation") << QStringList{"--animate", "100", "--loop", "2", "--bounce"}
                                   << false << 0 << QStringList{"a-4x.gif"} << "1 file written";
    QTest::newRow("a damaged file among them")
        << QStringList{} << true << 1 << QStringList{"a-4x.png", "b-4x.png"} << "skipped ";
    QTest::newRow("a scale past 10")
        << QStringList{"--scale", "11"} << false << 2 << QStringList{} << "--scale";
    QTest::newRow("an unknown palette") << QStringList{"--palette", "Game Boy Purple"} << false << 2
                                        << QStringList{} << "Game Boy Purple";
    QTest::newRow("a missing frame")
        << QStringList{"--frame", "12"} << false << 2 << QStringList{} << "no frame \"12\"";
    QTest::newRow("loop without animation")
        << QStringList{"--loop", "2"} << false << 2 << QStringList{} << "--animate";
}

void TstExportCli::exitStatusAndOutput()
{
    QFETCH(QStringList, options);
    QFETCH(bool, withDamaged);
    QFETCH(int, exitCode);
    QFETCH(QStringList, written);
    QFETCH(QString, inErr);
    CommandLine cli;
    QStringList arguments = options;
    arguments << "--out" << cli.folder.out()
              << cli.folder.shot("a.bmp", test::shadesPicture({128, 112}, 1));
    if (withDamaged)
        arguments << cli.folder.app.write("damaged.bmp", "BM\x10\x00");
    arguments << cli.folder.shot("b.bmp", test::shadesPicture({160, 144}, 2));

    const Run run = cli.run(arguments);
    QVERIFY2(run.err.contains(inErr), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    QStringList paths;
    for (const QString &name : written)
        paths << cli.out(name);
    QStringList listed = run.out;
    listed.sort();
    QCOMPARE(listed, paths);
    for (const QString &path : paths)
        QVERIFY(loadPictureFile(path).ok());
    if (withDamaged)
        QVERIFY(run.err.contains("damaged.bmp"));
}

void TstExportCli::aSecondRunFindsTheFilesThere()
{
    CommandLine cli;
    const QStringList arguments{"--out", cli.folder.out(),
                                cli.folder.shot("a.bmp", test::shadesPicture({160, 144}, 1))};
    QCOMPARE(cli.run(arguments).exitCode, 0);
    const Run again = cli.run(arguments);
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out, QStringList{"already there: " + cli.out("a-4x.png")});

    // Standard output that cannot be written is a failure too.
    if (QFileInfo::exists("/dev/full"))
        QCOMPARE(cli.run(arguments, "/dev/full").exitCode, 1);
}

void TstExportCli::helpListsOptionsPalettesAndFrames()
{
    CommandLine cli;
    const Run run = cli.run({"--help"});
    QCOMPARE(run.exitCode, 0);
    const QString help = run.out.join('\n');
    for (const char *text :
         {"--out <DIR>", "--palette", "--frame", "--gamma", "--scale", "--format",
          "--animate <DELAY_MS>", "--loop", "--bounce", "--name", "Game Boy Pocket",
          "Zelda DX Shots", "default frames: 1 3 5 21", "  mine"})
        QVERIFY2(help.contains(QLatin1String(text)), text);
}

void TstExportCli::anUnwritableFolderStopsTheExport()
{
    CommandLine cli;
    const QString locked = cli.folder.app.file("locked");
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
    QStringList wrapper;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (setpriv.isEmpty())
            QSKIP("running as root and setpriv is not installed");
        const QStringList drop{"--reuid=65534", "--regid=65534", "--clear-groups"};
        if (QProcess::execute(setpriv, drop + QStringList{"true"}) != 0)
            QSKIP("running as root and setpriv cannot drop privileges here");
        wrapper = QStringList{setpriv} + drop;
    }
    QStringList shots;
    for (int i = 0; i < 4; ++i)
        shots << cli.folder.shot(QStringLiteral("s%1.bmp").arg(i),
                                 test::shadesPicture({160, 144}, i));
    for (const QString &shot : shots)
        QFile::setPermissions(shot, QFile::permissions(shot) | QFile::ReadOther);
    const Run run = cli.run(QStringList{"--out", locked} + shots, {}, wrapper);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("the export stopped"), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(
        QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_GUILESS_MAIN(TstExportCli)
#include "tst_export_cli.moc"
