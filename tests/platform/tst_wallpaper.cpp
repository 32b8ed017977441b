#include "imaging/picture_file.h"
#include "platform/desktop_settings_store.h"
#include "platform/drive_root.h"
#include "platform/fake_desktop.h"
#include "platform/linux_wallpaper.h"
#include "platform/qt_desktop.h"
#include "platform/wallpaper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace camvista;

namespace
{

using Style = Desktop::WallpaperStyle;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage picture(QRgb colour, int width = 8, int height = 6)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Points the drive root and the user name at a throw-away folder for one test.
struct DriveC {
    QTemporaryDir dir;
    DriveC(const QByteArray &user = "ann")
    {
        qputenv("CAMVISTA_DRIVE_C", dir.path().toLocal8Bit());
        qputenv("USERNAME", user);
    }
    ~DriveC()
    {
        qunsetenv("CAMVISTA_DRIVE_C");
        qunsetenv("USERNAME");
    }
    QString file(const QString &relative) const { return dir.path() + QLatin1Char('/') + relative; }
};

// Stand-ins for the desktops' tools, first on PATH: each records its arguments, one per line,
// and a line "--" after each call. xfconf-query lists the properties of XFCONF_LISTING.
struct StandInTools {
    QTemporaryDir bin;
    QByteArray oldPath = qgetenv("PATH");
    QString log = bin.filePath(QStringLiteral("calls.log"));

    explicit StandInTools(int exitCode = 0)
    {
        const QByteArray body =
            "#!/bin/sh\n"
            "{ basename \"$0\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done;"
            " echo --; } >> \"" +
            log.toLocal8Bit() +
            "\"\n"
            "case \"$*\" in *-l) [ -n \"$XFCONF_LISTING\" ] && cat "
            "\"$XFCONF_LISTING\";; esac\n"
            "exit " +
            QByteArray::number(exitCode) + "\n";
        for (const char *tool : {"gsettings", "xfconf-query", "plasma-apply-wallpaperimage"}) {
            const QString path = bin.filePath(QString::fromLatin1(tool));
            writeFile(path, body);
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + oldPath);
    }
    ~StandInTools()
    {
        qputenv("PATH", oldPath);
        qunsetenv("XFCONF_LISTING");
    }
    // Each call as "tool arg arg ...".
    QStringList calls() const
    {
        QStringList result;
        QStringList current;
        for (const QString &line : QString::fromUtf8(readFile(log)).split(QLatin1Char('\n'))) {
            if (line == QLatin1String("--")) {
                result << current.join(QLatin1Char(' '));
                current.clear();
            } else if (!line.isEmpty()) {
                current << line;
            }
        }
        return result;
    }
};

} // namespace

class TstWallpaper : public QObject
{
    Q_OBJECT

private slots:
    void driveRootMapsWindowsPaths_data();
    void driveRootMapsWindowsPaths();
    void userNameFallsBackToTheLogin();
    void userNameIsOneFolderOfTheProfiles_data();
    void userNameIsOneFolderOfTheProfiles();
    void olderLayoutOnlyWhenItsFolderListsAFile_data();
    void olderLayoutOnlyWhenItsFolderListsAFile();
    void stylesWriteTheirTwoValuesInOrder_data();
    void stylesWriteTheirTwoValuesInOrder();
    void fileIsReplacedOnEveryUse();
    void unwritableFileStopsBeforeTheSettings();
    void settingsStoreKeepsTextsExactly();
    void damagedSettingsStoreIsLeftAlone();
    void desktopToolsAreCalledForEachDesktopAndStyle_data();
    void desktopToolsAreCalledForEachDesktopAndStyle();
    void xfceSetsEveryListedMonitor();
    void desktopsWithoutTheirToolAreNotSet_data();
    void desktopsWithoutTheirToolAreNotSet();
    void refusingToolIsAFailure();
};

void TstWallpaper::driveRootMapsWindowsPaths_data()
{
    QTest::addColumn<QString>("windows");
    QTest::addColumn<QString>("local"); // after the drive root
    QTest::newRow("backslashes, final one kept") << "C:\\Users\\ann\\AppData\\"
                                                 << "/Users/ann/AppData/";
    QTest::newRow("lower-case drive") << "c:\\TEMP\\zzz.zzz"
                                      << "/TEMP/zzz.zzz";
    QTest::newRow("spaces kept") << "C:\\Documents and Settings\\a b\\x.bmp"
                                 << "/Documents and Settings/a b/x.bmp";
    QTest::newRow("drive only") << "C:"
                                << "/";
}

void TstWallpaper::driveRootMapsWindowsPaths()
{
    QFETCH(QString, windows);
    QFETCH(QString, local);
    DriveC drive;
    QCOMPARE(driveRoot(), QDir::cleanPath(drive.dir.path()));
    QCOMPARE(localPathOf(windows), QDir::cleanPath(drive.dir.path()) + local);
    // Without the variable the root lies under the user's data folder.
    qunsetenv("CAMVISTA_DRIVE_C");
    QVERIFY(driveRoot().endsWith(QLatin1String("/camvista/drive_c")));
    QVERIFY(!driveRoot().startsWith(drive.dir.path()));
}

void TstWallpaper::userNameFallsBackToTheLogin()
{
    DriveC drive("Zoë Smith");
    QCOMPARE(wallpaperUserName(), QStringLiteral("Zoë Smith"));
    QCOMPARE(wallpaperWindowsPath(),
             QStringLiteral("C:\\Users\\Zoë Smith\\AppData\\Local\\Microsoft\\wallcamvista.bmp"));
    qunsetenv("USERNAME");
    const QByteArray oldUser = qgetenv("USER");
    qputenv("USER", "loginname");
    QCOMPARE(wallpaperUserName(), QStringLiteral("loginname"));
    qunsetenv("USER");
    QVERIFY(!wallpaperUserName().isEmpty()); // LOGNAME or the password database
    qputenv("USER", oldUser);
}

void TstWallpaper::userNameIsOneFolderOfTheProfiles_data()
{
    QTest::addColumn<QByteArray>("user"); // USERNAME, in UTF-8
    QTest::addColumn<QString>("folder");  // the profile folder under "C:\Users\"
    QTest::newRow("ordinary") << QByteArray("ann") << "ann";
    QTest::newRow("dot and accents kept") << QByteArray("zo\xC3\xAB.smith") << "zo\u00EB.smith";
    QTest::newRow("slash") << QByteArray("a/b") << "a_b";
    QTest::newRow("backslash") << QByteArray("a\\b") << "a_b";
    QTest::newRow("climbing out") << QByteArray("../../../tmp") << ".._.._.._tmp";
    QTest::newRow("climbing out, Windows") << QByteArray("..\\..\\x") << ".._.._x";
    QTest::newRow("drive") << QByteArray("D:x") << "D_x";
    QTest::newRow("control character") << QByteArray("a\tb") << "a_b";
    QTest::newRow("dot") << QByteArray(".") << "_";
    QTest::newRow("two dots") << QByteArray("..") << "__";
}

void TstWallpaper::userNameIsOneFolderOfTheProfiles()
{
    QFETCH(QByteArray, user);
    QFETCH(QString, folder);
    DriveC drive(user);
    QCOMPARE(wallpaperWindowsPath(),
             QStringLiteral("C:\\Users\\") + folder +
                 QStringLiteral("\\AppData\\Local\\Microsoft\\wallcamvista.bmp"));
    FakeDesktop desktop;
    const WallpaperOutcome outcome =
        setDesktopWallpaper(picture(qRgb(1, 2, 3)), Style::Tiled, desktop);
    QVERIFY(outcome.written.ok());
    const QString expected =
        drive.file(QStringLiteral("Users/") + folder +
                   QStringLiteral("/AppData/Local/Microsoft/wallcamvista.bmp"));
    QCOMPARE(QDir::cleanPath(outcome.file), QDir::cleanPath(expected));
    QVERIFY(QFileInfo::exists(expected));
    // Nothing else was made beside the profiles.
    QCOMPARE(
        QDir(drive.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{QStringLiteral("Users")});
    QCOMPARE(QDir(drive.file(QStringLiteral("Users")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{folder});
}

void TstWallpaper::olderLayoutOnlyWhenItsFolderListsAFile_data()
{
    QTest::addColumn<QString>("content"); // what the older layout's folder holds
    QTest::addColumn<bool>("older");
    QTest::newRow("no folder") << "" << false;
    QTest::newRow("empty folder") << "empty" << false;
    QTest::newRow("only a subfolder") << "subfolder" << false;
    QTest::newRow("only a hidden file") << "hidden" << false;
    QTest::newRow("a plain file") << "file" << true;
    QTest::newRow("a plain file among subfolders") << "file+subfolder" << true;
}

void TstWallpaper::olderLayoutOnlyWhenItsFolderListsAFile()
{
    QFETCH(QString, content);
    QFETCH(bool, older);
    DriveC drive;
    const QString folder =
        drive.file(QStringLiteral("Documents and Settings/ann/Local Settings/Application Data/"
                                  "Microsoft"));
    if (!content.isEmpty())
        QDir().mkpath(folder);
    if (content.contains(QLatin1String("subfolder")))
        QDir().mkpath(folder + QStringLiteral("/Windows"));
    if (content == QLatin1String("hidden"))
        writeFile(folder + QStringLiteral("/.hidden"), "x");
    if (content.startsWith(QLatin1String("file")))
        writeFile(folder + QStringLiteral("/desktop.ini"), "x");

    const QString expected =
        older ? QStringLiteral("C:\\Documents and Settings\\ann\\Local Settings\\Application "
                               "Data\\Microsoft\\wallcamvista.bmp")
              : QStringLiteral("C:\\Users\\ann\\AppData\\Local\\Microsoft\\wallcamvista.bmp");
    QCOMPARE(wallpaperWindowsPath(), expected);

    FakeDesktop desktop;
    const WallpaperOutcome outcome =
        setDesktopWallpaper(picture(qRgb(1, 2, 3)), Style::Tiled, desktop);
    QVERIFY(outcome.written.ok());
    QCOMPARE(outcome.file, localPathOf(expected));
    QCOMPARE(desktop.wallpapers.value(0).first, outcome.file);
}

void TstWallpaper::stylesWriteTheirTwoValuesInOrder_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("wallpaperStyle");
    QTest::addColumn<QString>("tileWallpaper");
    QTest::newRow("Centered") << int(Style::Centered) << "0"
                              << "0";
    QTest::newRow("Stretched") << int(Style::Stretched) << "2"
                               << "0";
    QTest::newRow("Mosaic") << int(Style::Tiled) << "0"
                            << "1";
}

void TstWallpaper::stylesWriteTheirTwoValuesInOrder()
{
    QFETCH(int, style);
    QFETCH(QString, wallpaperStyle);
    QFETCH(QString, tileWallpaper);
    DriveC drive;
    FakeDesktop desktop;
    setDesktopWallpaper(picture(qRgb(9, 9, 9)), Style(style), desktop);
    const QString key = QStringLiteral("Control Panel\\Desktop");
    QCOMPARE(desktop.desktopSettings,
             (QList<FakeDesktop::DesktopSetting>{{key, "WallpaperStyle", wallpaperStyle},
                                                 {key, "TileWallpaper", tileWallpaper}}));
    QCOMPARE(desktop.wallpapers.size(), 1);
    QCOMPARE(int(desktop.wallpapers[0].second), style);
}

void TstWallpaper::fileIsReplacedOnEveryUse()
{
    DriveC drive;
    FakeDesktop desktop;
    const QImage first = picture(qRgb(200, 10, 10), 20, 10);
    const QImage second = picture(qRgb(10, 200, 10), 6, 4);
    const WallpaperOutcome a = setDesktopWallpaper(first, Style::Centered, desktop);
    QCOMPARE(loadPictureFile(a.file).image.convertToFormat(QImage::Format_RGB32), first);
    const WallpaperOutcome b = setDesktopWallpaper(second, Style::Stretched, desktop);
    QCOMPARE(b.file, a.file);
    QCOMPARE(b.file,
             drive.file(QStringLiteral("Users/ann/AppData/Local/Microsoft/wallcamvista.bmp")));
    QCOMPARE(loadPictureFile(b.file).image.convertToFormat(QImage::Format_RGB32), second);
    QCOMPARE(QDir(QFileInfo(b.file).absolutePath()).entryList(QDir::Files),
             QStringList{QStringLiteral("wallcamvista.bmp")});
}

void TstWallpaper::unwritableFileStopsBeforeTheSettings()
{
    DriveC drive;
    // A file where the profile folder should be: the folder cannot be made.
    writeFile(drive.file(QStringLiteral("Users")), "in the way");
    FakeDesktop desktop;
    const WallpaperOutcome outcome =
        setDesktopWallpaper(picture(qRgb(1, 1, 1)), Style::Tiled, desktop);
    QVERIFY(!outcome.written.ok());
    // The message says which folder stands in the way, and why, in the system's words.
    const QString message = outcome.written.message();
    QVERIFY2(message.contains(QDir::toNativeSeparators(drive.file(QStringLiteral("Users")))),
             qPrintable(message));
    QVERIFY2(message.contains(qt_error_string(ENOTDIR)), qPrintable(message));
    QVERIFY(desktop.desktopSettings.isEmpty());
    QVERIFY(desktop.wallpapers.isEmpty());
    QCOMPARE(readFile(drive.file(QStringLiteral("Users"))), QByteArray("in the way"));
}

void TstWallpaper::settingsStoreKeepsTextsExactly()
{
    DriveC drive;
    QtDesktop desktop;
    const QString key = QStringLiteral("Control Panel\\Desktop");
    QVERIFY(
        desktop.writeDesktopSetting(key, QStringLiteral("WallpaperStyle"), QStringLiteral("2")));
    QVERIFY(desktop.writeDesktopSetting(key, QStringLiteral("TileWallpaper"), QStringLiteral("0")));
    QVERIFY(
        desktop.writeDesktopSetting(key, QStringLiteral("WallpaperStyle"), QStringLiteral("0")));
    QVERIFY(desktop.writeDesktopSetting(QStringLiteral("Other\\Key"), QStringLiteral("Name \"q\""),
                                        QStringLiteral(" spaced \u00e9 ")));
    const QString store = desktopSettingsFile();
    QVERIFY(store.startsWith(drive.dir.path()));
    QCOMPARE(readStoredSetting(store, key, QStringLiteral("WallpaperStyle")), QStringLiteral("0"));
    QCOMPARE(readStoredSetting(store, key, QStringLiteral("TileWallpaper")), QStringLiteral("0"));
    QCOMPARE(readStoredSetting(store, QStringLiteral("Other\\Key"), QStringLiteral("Name \"q\"")),
             QStringLiteral(" spaced \u00e9 "));
    QCOMPARE(readStoredSetting(store, QStringLiteral("control panel\\desktop"),
                               QStringLiteral("WallpaperStyle")),
             std::nullopt);
}

void TstWallpaper::damagedSettingsStoreIsLeftAlone()
{
    DriveC drive;
    const QString store = desktopSettingsFile();
    writeFile(store, "{ not json");
    QVERIFY(
        !writeStoredSetting(store, QStringLiteral("K"), QStringLiteral("N"), QStringLiteral("V"))
             .ok());
    QCOMPARE(readFile(store), QByteArray("{ not json"));
    QCOMPARE(readStoredSetting(store, QStringLiteral("K"), QStringLiteral("N")), std::nullopt);
}

void TstWallpaper::desktopToolsAreCalledForEachDesktopAndStyle_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("calls"); // %1 stands for the file, %2 for its address
    const QString gnome = QStringLiteral("gsettings set org.gnome.desktop.background ");
    const auto gnomeCalls = [&](const char *options) {
        return QStringList{gnome + "picture-uri %2", gnome + "picture-uri-dark %2",
                           gnome + "picture-options " + options};
    };
    QTest::newRow("GNOME centred") << "GNOME" << int(Style::Centered) << gnomeCalls("centered");
    QTest::newRow("GNOME stretched") << "GNOME" << int(Style::Stretched) << gnomeCalls("stretched");
    QTest::newRow("GNOME tiled") << "GNOME" << int(Style::Tiled) << gnomeCalls("wallpaper");
    QTest::newRow("Ubuntu") << "ubuntu:GNOME" << int(Style::Tiled) << gnomeCalls("wallpaper");
    QTest::newRow("Unity") << "Unity" << int(Style::Centered) << gnomeCalls("centered");
    QTest::newRow("Budgie") << "Budgie:GNOME" << int(Style::Stretched) << gnomeCalls("stretched");
    QTest::newRow("Pantheon") << "Pantheon" << int(Style::Tiled) << gnomeCalls("wallpaper");
    const QString cinnamon = QStringLiteral("gsettings set org.cinnamon.desktop.background ");
    QTest::newRow("Cinnamon") << "X-Cinnamon" << int(Style::Stretched)
                              << QStringList{cinnamon + "picture-uri %2",
                                             cinnamon + "picture-options stretched"};
    const QString mate = QStringLiteral("gsettings set org.mate.background ");
    QTest::newRow("MATE") << "MATE" << int(Style::Centered)
                          << QStringList{mate + "picture-filename %1",
                                         mate + "picture-options centered"};
    const QString xfce = QStringLiteral("xfconf-query -c xfce4-desktop ");
    const QString monitor = QStringLiteral("/backdrop/screen0/monitor0/workspace0/");
    for (const auto &[name, style, value] : {std::tuple{"Xfce centred", Style::Centered, "1"},
                                             std::tuple{"Xfce tiled", Style::Tiled, "2"},
                                             std::tuple{"Xfce stretched", Style::Stretched, "3"}}) {
        QTest::newRow(name) << "XFCE" << int(style)
                            << QStringList{xfce + "-l",
                                           xfce + "-p " + monitor + "last-image -n -t string -s %1",
                                           xfce + "-p " + monitor + "image-style -n -t int -s " +
                                               value};
    }
    for (const auto &[name, style, mode] :
         {std::tuple{"Plasma centred", Style::Centered, "pad"},
          std::tuple{"Plasma stretched", Style::Stretched, "stretch"},
          std::tuple{"Plasma tiled", Style::Tiled, "tile"}}) {
        QTest::newRow(name) << "KDE" << int(style)
                            << QStringList{
                                   QStringLiteral("plasma-apply-wallpaperimage --fill-mode ") +
                                   mode + " %1"};
    }
}

void TstWallpaper::desktopToolsAreCalledForEachDesktopAndStyle()
{
    QFETCH(QString, desktop);
    QFETCH(int, style);
    QFETCH(QStringList, calls);
    StandInTools tools;
    DriveC drive("ann b");
    qputenv("XDG_CURRENT_DESKTOP", desktop.toLocal8Bit());
    QtDesktop real;
    const QString file =
        drive.file(QStringLiteral("Users/ann b/AppData/Local/Microsoft/wallcamvista.bmp"));
    QString address = QStringLiteral("file://") + file;
    address.replace(QLatin1Char(' '), QStringLiteral("%20"));
    QCOMPARE(real.applyWallpaper(file, Style(style)), Desktop::WallpaperResult::Applied);
    QStringList expected;
    for (const QString &call : calls)
        expected << QString(call)
                        .replace(QLatin1String("%1"), file)
                        .replace(QLatin1String("%2"), address);
    QCOMPARE(tools.calls(), expected);
    qunsetenv("XDG_CURRENT_DESKTOP");
}

void TstWallpaper::xfceSetsEveryListedMonitor()
{
    StandInTools tools;
    const QString listing = tools.bin.filePath(QStringLiteral("listing"));
    const QString m1 = QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/");
    const QString m2 = QStringLiteral("/backdrop/screen0/monitoreDP-1/workspace1/");
    writeFile(listing, (m1 + "last-image\n" + m1 + "image-style\n" + m2 + "last-image\n" +
                        "/last-settings/x\n")
                           .toUtf8());
    qputenv("XFCONF_LISTING", listing.toLocal8Bit());
    QCOMPARE(
        applyLinuxWallpaper(QStringLiteral("/w/p.bmp"), Style::Stretched, QStringLiteral("XFCE")),
        Desktop::WallpaperResult::Applied);
    const QString xfce = QStringLiteral("xfconf-query -c xfce4-desktop ");
    QCOMPARE(tools.calls(), (QStringList{xfce + "-l", xfce + "-p " + m1 + "last-image -s /w/p.bmp",
                                         xfce + "-p " + m1 + "image-style -s 3",
                                         xfce + "-p " + m2 + "last-image -s /w/p.bmp",
                                         xfce + "-p " + m2 + "image-style -n -t int -s 3"}));
}

void TstWallpaper::desktopsWithoutTheirToolAreNotSet_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("toolsOnPath");
    QTest::newRow("unknown desktop") << "LXQt" << true;
    QTest::newRow("no desktop named") << "" << true;
    QTest::newRow("GNOME without gsettings") << "GNOME" << false;
    QTest::newRow("Plasma without its tool") << "KDE" << false;
}

void TstWallpaper::desktopsWithoutTheirToolAreNotSet()
{
    QFETCH(QString, desktop);
    QFETCH(bool, toolsOnPath);
    StandInTools tools;
    if (!toolsOnPath)
        qputenv("PATH", tools.bin.filePath(QStringLiteral("nothing here")).toLocal8Bit());
    QCOMPARE(applyLinuxWallpaper(QStringLiteral("/w/p.bmp"), Style::Tiled, desktop),
             Desktop::WallpaperResult::NoSupportedDesktop);
    QVERIFY(tools.calls().isEmpty());
}

void TstWallpaper::refusingToolIsAFailure()
{
    StandInTools tools(1);
    QCOMPARE(applyLinuxWallpaper(QStringLiteral("/w/p.bmp"), Style::Tiled, QStringLiteral("GNOME")),
             Desktop::WallpaperResult::Failed);
    // Plasma before its fill modes: the picture alone is tried too.
    QCOMPARE(applyLinuxWallpaper(QStringLiteral("/w/p.bmp"), Style::Tiled, QStringLiteral("KDE")),
             Desktop::WallpaperResult::Failed);
    QCOMPARE(tools.calls().mid(1),
             (QStringList{"plasma-apply-wallpaperimage --fill-mode tile /w/p.bmp",
                          "plasma-apply-wallpaperimage /w/p.bmp"}));
}

QTEST_MAIN(TstWallpaper)
#include "tst_wallpaper.moc"
