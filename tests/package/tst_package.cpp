// The program as it is installed: `cmake --install` into a temporary prefix, the files a Linux
// desktop reads checked with the desktop's own tools, and the installed programs run with a
// home folder of their own.
#include "camera/save_writer.h"
#include "imaging/picture_file.h"
#include "platform/app_paths.h"
#include "platform/fake_desktop.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>

using namespace camvista;

namespace
{

const QString kSaveType = QStringLiteral("application/x-gameboy-camera-save");
const QString kDumpButton = QStringLiteral("Extract shots from a .sav file with VUDaviziDump");

// Run as a copy in the installed bin/ folder: is everything found from there? Prints what is
// wrong, one thing a line, and fails when anything is.
int probeInstalledLayout(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList wrong;
    const AppPaths paths = AppPaths::fromApplication();
    if (!paths.installed())
        wrong << "not taken for installed: " + paths.folder;
    for (int n = 1; n <= 21; ++n) {
        const PictureLoad frame =
            loadPictureFile(paths.file(QStringLiteral("\\frames\\default\\%1.gif").arg(n)));
        if (!frame.ok() || frame.image.size() != QSize(160, 144))
            wrong << frame.status.message();
    }
    const std::pair<const char *, const char *> folders[] = {
        {"\\frames\\custom", "*.gif"}, {"\\frames\\wild", "*_1.bmp"}, {"\\stamps", "*.png"}};
    for (const auto &[folder, pattern] : folders) {
        if (QDir(paths.file(folder)).entryList({pattern}, QDir::Files).isEmpty())
            wrong << QStringLiteral("nothing like %1 in %2").arg(pattern, paths.file(folder));
    }
    // The toolbar's dump button: the program it names must be there and run.
    FakeDesktop desktop;
    {
        MainWindow window(desktop, paths);
        window.Toolbar1_ButtonClick(kDumpButton);
    }
    const QString dump = desktop.startedPrograms.value(0).first;
    if (programOnThisSystem(dump) != paths.folder + "/VUDaviziDump")
        wrong << "the dump button starts " + dump;
    else if (QProcess::execute(programOnThisSystem(dump), {"--help"}) != 0)
        wrong << dump + " --help failed";
    std::fputs(qPrintable(wrong.join('\n')), stdout);
    return wrong.isEmpty() ? 0 : 1;
}

// The MIME type of each file named, as a desktop that reads shared-mime-info sees it.
int printMimeTypes(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QMimeDatabase mime;
    for (int i = 2; i < argc; ++i)
        std::printf("%s\n",
                    qPrintable(mime.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// What the programs see of the system: a home folder of their own and no desktop.
QProcessEnvironment environmentWithHome(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.keys()) {
        if (name.startsWith(QLatin1String("XDG_")) || name.startsWith(QLatin1String("CAMVISTA_")))
            env.remove(name);
    }
    env.insert("HOME", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1, program + " did not finish"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// The desktop's own checkers come with scripts/install-deps, so a missing one is a failure of
// the set-up, not a reason to skip.
QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

} // namespace

class TstPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsTheDesktopLayout_data();
    void installsTheDesktopLayout();
    void iconsAtEverySize();
    void desktopToolsAcceptTheFiles_data();
    void desktopToolsAcceptTheFiles();
    void installedProgramKeepsFilesInTheHome_data();
    void installedProgramKeepsFilesInTheHome();
    void portableProgramKeepsSettingsBesideIt();
    void installedProgramFindsDataAndCompanion();
    void cameraSavesAreKnownByTheirMarkers_data();
    void cameraSavesAreKnownByTheirMarkers();
    void debianPackageHasNoLintianErrors();

private:
    QString prefix(const QString &relative) const { return m_prefix.filePath(relative); }

    QTemporaryDir m_prefix;
    QTemporaryDir m_mime; // a data folder holding a compiled MIME database
};

void TstPackage::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Run install =
        run(CAMVISTA_CMAKE, {"--install", CAMVISTA_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));

    // The system's MIME database with the installed type in it, compiled as the package's
    // trigger does it: one database, so the system's own "*.sav" type competes with ours.
    const QString compiler = tool("update-mime-database");
    QVERIFY2(!compiler.isEmpty(), "update-mime-database is missing: run scripts/install-deps");
    const QString packages = m_mime.filePath("mime/packages");
    QVERIFY(QDir().mkpath(packages));
    QVERIFY(QFile::copy("/usr/share/mime/packages/freedesktop.org.xml",
                        packages + "/freedesktop.org.xml"));
    QVERIFY(QFile::copy(prefix("share/mime/packages/camvista.xml"), packages + "/camvista.xml"));
    QProcessEnvironment quick = QProcessEnvironment::systemEnvironment();
    quick.insert("PKGSYSTEM_ENABLE_FSYNC", "0"); // a throw-away database needs no syncing
    const Run compile = run(compiler, {m_mime.filePath("mime")}, quick);
    QVERIFY2(compile.exitCode == 0, qPrintable(compile.output));
}

void TstPackage::installsTheDesktopLayout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    const std::pair<const char *, bool> files[] = {
        {"bin/camvista", true},
        {"bin/VUDaviziDump", true},
        {"share/camvista/frames/default/1.gif", false},
        {"share/camvista/frames/default/21.gif", false},
        {"share/applications/org.camvista.Camvista.desktop", false},
        {"share/applications/org.camvista.VUDaviziDump.desktop", false},
        {"share/metainfo/org.camvista.Camvista.metainfo.xml", false},
        {"share/mime/packages/camvista.xml", false},
        {"share/man/man1/camvista.1.gz", false},
        {"share/man/man1/VUDaviziDump.1.gz", false},
        {"share/doc/camvista/copyright", false},
        {"share/doc/camvista/changelog.gz", false},
    };
    for (const auto &[path, executable] : files)
        QTest::newRow(path) << QString::fromLatin1(path) << executable;
}

void TstPackage::installsTheDesktopLayout()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(prefix(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(file.filePath()));
    QCOMPARE(file.isExecutable(), executable);
    if (path.endsWith(".gz"))
        QVERIFY(readAll(file.filePath()).startsWith("\x1f\x8b"));
    // Nothing of the old portable layout is left at the root of the prefix.
    QVERIFY(!QFileInfo::exists(prefix("camvista")) && !QFileInfo::exists(prefix("frames")));
}

void TstPackage::iconsAtEverySize()
{
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        for (const char *name : {"org.camvista.Camvista", "org.camvista.VUDaviziDump"}) {
            const QString path =
                prefix(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(name));
            const PictureLoad icon = loadPictureFile(path);
            QVERIFY2(icon.ok(), qPrintable(icon.status.message()));
            QCOMPARE(icon.image.size(), QSize(size, size));
            QVERIFY(icon.image.hasAlphaChannel());
        }
    }
}

void TstPackage::desktopToolsAcceptTheFiles_data()
{
    QTest::addColumn<QString>("checker");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("menu entry") << "desktop-file-validate"
                                << QStringList{"share/applications/org.camvista.Camvista.desktop"};
    QTest::newRow("companion's entry")
        << "desktop-file-validate"
        << QStringList{"share/applications/org.camvista.VUDaviziDump.desktop"};
    QTest::newRow("AppStream") << "appstreamcli"
                               << QStringList{"validate", "--no-net",
                                              "share/metainfo/org.camvista.Camvista.metainfo.xml"};
}

void TstPackage::desktopToolsAcceptTheFiles()
{
    QFETCH(QString, checker);
    QFETCH(QStringList, arguments);
    const QString program = tool(qPrintable(checker));
    QVERIFY2(!program.isEmpty(), qPrintable(checker + " is missing: run scripts/install-deps"));
    arguments.last() = prefix(arguments.last());
    const Run check = run(program, arguments);
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
    // desktop-file-validate says nothing when all is well, and warns with exit status 0.
    if (checker == "desktop-file-validate")
        QVERIFY2(check.output.trimmed().isEmpty(), qPrintable(check.output));
}

void TstPackage::installedProgramKeepsFilesInTheHome_data()
{
    QTest::addColumn<QByteArray>("userDirs"); // ~/.config/user-dirs.dirs, null for none
    QTest::addColumn<QString>("pictures");
    QTest::newRow("plain home") << QByteArray() << "Pictures";
    QTest::newRow("the desktop's own pictures folder")
        << QByteArray("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n") << "Bilder";
}

void TstPackage::installedProgramKeepsFilesInTheHome()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(QString, pictures);
    QTemporaryDir home;
    if (!userDirs.isNull())
        QVERIFY(writeFile(home.filePath(".config/user-dirs.dirs"), userDirs));
    QProcess program;
    program.setProcessEnvironment(environmentWithHome(home.path()));
    program.start(prefix("bin/camvista"), {});
    QVERIFY(program.waitForStarted());
    // The splash comes first; then the main window makes the settings and the shots folder.
    const QString ini = home.filePath(".config/camvista/camvista.ini");
    const QString shots = home.filePath(pictures + "/VUDavizi Shots");
    QTRY_VERIFY_WITH_TIMEOUT(readAll(ini).contains("User ID=????????") && QFileInfo(shots).isDir(),
                             20000);
    program.kill();
    program.waitForFinished();
    QVERIFY(!QFileInfo::exists(prefix("bin/camvista.ini")));
    QVERIFY(!QFileInfo::exists(prefix("bin/VUDavizi Shots")));
}

void TstPackage::portableProgramKeepsSettingsBesideIt()
{
    // The same program in a folder of its own is the portable form again.
    QTemporaryDir root;
    const QString folder = root.filePath("Camvista");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(prefix("bin/camvista"), folder + "/camvista"));
    QVERIFY(writeFile(folder + "/camvista.ini", "[Camvista]\nName=ANNA\n"));
    QVERIFY(QDir().mkpath(root.filePath("home")));
    QProcess program;
    program.setProcessEnvironment(environmentWithHome(root.filePath("home")));
    program.start(folder + "/camvista", {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder + "/VUDavizi Shots").isDir(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(readAll(folder + "/camvista.ini"),
                              QByteArray("[Camvista]\nName=ANNA\nUser ID=????????\n"), 5000);
    program.kill();
    program.waitForFinished();
    QVERIFY(!QFileInfo::exists(root.filePath("home/.config/camvista")));
}

void TstPackage::installedProgramFindsDataAndCompanion()
{
    const QString probe = prefix("bin/camvista-probe");
    QFile::remove(probe);
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), probe));
    QTemporaryDir home;
    const Run check = run(probe, {"--installed-probe"}, environmentWithHome(home.path()));
    QFile::remove(probe);
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
}

void TstPackage::cameraSavesAreKnownByTheirMarkers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("save");
    const QByteArray save = test::SaveWriter().bytes();
    QByteArray noise(test::kSaveSize, '\0');
    quint32 state = 7;
    for (char &c : noise) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    QTest::newRow("a camera save") << "camera.sav" << save << true;
    QTest::newRow("by its content, not its name") << "photos.bin" << save << true;
    QTest::newRow("a 1 MiB dump") << "dump.sav" << save + QByteArray(7 * test::kSaveSize, '\0')
                                  << true;
    QTest::newRow("random bytes of the same size") << "random.sav" << noise << false;
    QTest::newRow("one marker missing")
        << "broken.sav" << test::SaveWriter().breakMarker(3).bytes() << false;
}

void TstPackage::cameraSavesAreKnownByTheirMarkers()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, save);
    QTemporaryDir files;
    QVERIFY(writeFile(files.filePath(name), bytes));
    QProcessEnvironment env = environmentWithHome(files.path());
    env.insert("XDG_DATA_HOME", files.filePath("no-data"));
    env.insert("XDG_DATA_DIRS", m_mime.path());
    const Run types =
        run(QCoreApplication::applicationFilePath(), {"--mime-of", files.filePath(name)}, env);
    QCOMPARE(types.exitCode, 0);
    QCOMPARE(types.output.trimmed() == kSaveType, save);
}

void TstPackage::debianPackageHasNoLintianErrors()
{
    const QString lintian = tool("lintian");
    QVERIFY2(!lintian.isEmpty(), "lintian is missing: run scripts/install-deps");
    QTemporaryDir out;
    const Run pack = run(CAMVISTA_CPACK, {"-G", "DEB", "-B", out.path(), "--config",
                                          CAMVISTA_BUILD_DIR "/CPackConfig.cmake"});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.output));
    const QStringList debs = QDir(out.path()).entryList({"camvista_*_amd64.deb"});
    QCOMPARE(debs.size(), 1);
    const QString deb = out.filePath(debs[0]);
    const Run files = run("dpkg-deb", {"--contents", deb});
    QVERIFY(files.output.contains("./usr/bin/camvista\n"));
    QVERIFY(files.output.contains("./usr/share/camvista/frames/default/1.gif\n"));
    const Run control = run("dpkg-deb", {"--field", deb, "Depends"});
    QVERIFY2(control.output.contains("libqt6widgets6"), qPrintable(control.output));
    const Run lint = run(lintian, {"--fail-on", "error", deb});
    QVERIFY2(lint.exitCode == 0, qPrintable(lint.output));
}

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--installed-probe") == 0)
        return probeInstalledLayout(argc, argv);
    if (argc >= 2 && qstrcmp(argv[1], "--mime-of") == 0)
        return printMimeTypes(argc, argv);
    QApplication app(argc, argv);
    TstPackage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_package.moc"
