#include "platform/app_paths.h"

#include "imaging/safe_write.h"

#include <QtTest>

using namespace camvista;

class TstAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void mapsRelativePaths_data();
    void mapsRelativePaths();
    void namesTheSettingsFileAfterTheExecutable();
    void findsProgramsNamedTheWindowsWay_data();
    void findsProgramsNamedTheWindowsWay();
    void decidesPortableOrInstalledByLayout_data();
    void decidesPortableOrInstalledByLayout();
    void installedPathsFollowTheUsersFolders();
    void makesFoldersOrSaysWhyNot_data();
    void makesFoldersOrSaysWhyNot();
};

void TstAppPaths::mapsRelativePaths_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");
    QTest::newRow("backslashes") << "\\frames\\default\\1.gif"
                                 << "/app/frames/default/1.gif";
    QTest::newRow("slashes") << "/stamps/a.png"
                             << "/app/stamps/a.png";
    QTest::newRow("no leading separator") << "VUDavizi Shots"
                                          << "/app/VUDavizi Shots";
    QTest::newRow("the folder itself") << "\\"
                                       << "/app";
}

void TstAppPaths::mapsRelativePaths()
{
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    const AppPaths paths{"/app", "camvista"};
    QCOMPARE(paths.file(relative), expected);
}

void TstAppPaths::namesTheSettingsFileAfterTheExecutable()
{
    QCOMPARE((AppPaths{"/app", "camvista"}).settingsFile(), QString("/app/camvista.ini"));
    QCOMPARE((AppPaths{"/app", "renamed"}).settingsFile(), QString("/app/renamed.ini"));
    QCOMPARE((AppPaths{"/app", "x"}).shotsFolder(), QString("/app/VUDavizi Shots"));
    // The running test executable: its own folder and its own name.
    const AppPaths self = AppPaths::fromApplication();
    QCOMPARE(self.exeName, QString("tst_app_paths"));
    QCOMPARE(self.folder, QCoreApplication::applicationDirPath());
}

void TstAppPaths::findsProgramsNamedTheWindowsWay_data()
{
    QTest::addColumn<QStringList>("present"); // files in the folder
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("started");
    QTest::newRow("program without extension") << QStringList{"Dump"} << "Dump.exe"
                                               << "Dump";
    QTest::newRow("capital extension") << QStringList{"Dump"} << "Dump.EXE"
                                       << "Dump";
    QTest::newRow("only the .exe") << QStringList{"Dump.exe"} << "Dump.exe"
                                   << "Dump.exe";
    QTest::newRow("both") << QStringList{"Dump", "Dump.exe"} << "Dump.exe"
                          << "Dump";
    QTest::newRow("nothing there") << QStringList{} << "Dump.exe"
                                   << "Dump.exe";
    QTest::newRow("a folder of that name") << QStringList{"Dump/"} << "Dump.exe"
                                           << "Dump.exe";
    QTest::newRow("another extension") << QStringList{"Dump"} << "Dump.com"
                                       << "Dump.com";
}

void TstAppPaths::findsProgramsNamedTheWindowsWay()
{
    QFETCH(QStringList, present);
    QFETCH(QString, asked);
    QFETCH(QString, started);
    QTemporaryDir dir;
    for (const QString &name : std::as_const(present)) {
        if (name.endsWith('/')) {
            QVERIFY(QDir(dir.path()).mkdir(name.chopped(1)));
        } else {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    QCOMPARE(programOnThisSystem(dir.filePath(asked)), dir.filePath(started));
}

void TstAppPaths::decidesPortableOrInstalledByLayout_data()
{
    QTest::addColumn<QString>("program"); // the program's folder under the temporary one
    QTest::addColumn<QString>("share");   // made beside it: "dir", "file" or "" for nothing
    QTest::addColumn<bool>("installed");
    QTest::newRow("build folder") << "build/app"
                                  << "dir" << false;
    QTest::newRow("installed") << "usr/bin"
                               << "dir" << true;
    QTest::newRow("bin without data") << "usr/bin"
                                      << "" << false;
    QTest::newRow("data is a file") << "usr/bin"
                                    << "file" << false;
    QTest::newRow("other folder name") << "usr/bin2"
                                       << "dir" << false;
}

void TstAppPaths::decidesPortableOrInstalledByLayout()
{
    QFETCH(QString, program);
    QFETCH(QString, share);
    QFETCH(bool, installed);
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath(program));
    const QString shareDir = QDir::cleanPath(dir.filePath(program) + "/../share/camvista");
    if (share == "dir")
        QVERIFY(dir.mkpath(shareDir));
    if (share == "file") {
        QVERIFY(dir.mkpath(QFileInfo(shareDir).path()));
        QFile f(shareDir);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    const QString bin = dir.filePath(program);
    const AppPaths paths = AppPaths::forProgram(bin, "camvista");
    QCOMPARE(paths.installed(), installed);
    if (!installed) {
        // Everything beside the program, as ever, whoever may write there.
        QCOMPARE(paths.settingsFile(), bin + "/camvista.ini");
        QCOMPARE(paths.shotsFolder(), bin + "/VUDavizi Shots");
        QCOMPARE(paths.file("\\frames\\wild"), bin + "/frames/wild");
        QCOMPARE(paths.file("\\VUDaviziDump\\VUDaviziDump.exe"),
                 bin + "/VUDaviziDump/VUDaviziDump.exe");
        return;
    }
    QCOMPARE(paths.file("\\frames\\default\\3.gif"), shareDir + "/frames/default/3.gif");
    QCOMPARE(paths.file("/stamps"), shareDir + "/stamps");
    // The companions are installed under their own names beside the program.
    QCOMPARE(paths.file("\\VUDaviziDump\\VUDaviziDump.exe"), bin + "/VUDaviziDump");
    QCOMPARE(paths.file("\\MCCL\\cls.exe"), bin + "/camvista-cls");
    QCOMPARE(paths.file("\\mccl\\CLS.EXE"), bin + "/camvista-cls");
    QVERIFY(!paths.settingsFile().startsWith(root.path()));
    QVERIFY(!paths.shotsFolder().startsWith(root.path()));
}

void TstAppPaths::installedPathsFollowTheUsersFolders()
{
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath("usr/bin") && dir.mkpath("usr/share/camvista") && dir.mkpath("home/cfg"));
    const QString home = dir.filePath("home");
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    const AppPaths plain = AppPaths::forProgram(dir.filePath("usr/bin"), "camvista");
    // The desktop's own name for the pictures folder wins over "Pictures".
    qputenv("XDG_CONFIG_HOME", dir.filePath("home/cfg").toLocal8Bit());
    QFile dirs(dir.filePath("home/cfg/user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    dirs.close();
    const AppPaths named = AppPaths::forProgram(dir.filePath("usr/bin"), "camvista");
    qputenv("HOME", oldHome);
    oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);

    QCOMPARE(plain.settingsFile(), home + "/.config/camvista/camvista.ini");
    QCOMPARE(plain.shotsFolder(), home + "/Pictures/VUDavizi Shots");
    QCOMPARE(named.settingsFile(), home + "/cfg/camvista/camvista.ini");
    QCOMPARE(named.shotsFolder(), home + "/Bilder/VUDavizi Shots");
}

void TstAppPaths::makesFoldersOrSaysWhyNot_data()
{
    QTest::addColumn<QString>("folder"); // under the temporary folder, which holds the file "f"
    QTest::addColumn<bool>("made");
    QTest::newRow("new, with parents") << "a/b/c" << true;
    QTest::newRow("already there") << "." << true;
    QTest::newRow("a file stands there") << "f" << false;
    QTest::newRow("below a file") << "f/sub" << false;
}

void TstAppPaths::makesFoldersOrSaysWhyNot()
{
    QFETCH(QString, folder);
    QFETCH(bool, made);
    QTemporaryDir root;
    QFile f(root.filePath("f"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    const FileStatus status = makeFolder(root.filePath(folder));
    QCOMPARE(status.ok(), made);
    QCOMPARE(status.detail.isEmpty(), made);
    QCOMPARE(QFileInfo(root.filePath(folder)).isDir(), made);
}

QTEST_GUILESS_MAIN(TstAppPaths)
#include "tst_app_paths.moc"
