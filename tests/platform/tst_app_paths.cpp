#include "platform/app_paths.h"

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

QTEST_GUILESS_MAIN(TstAppPaths)
#include "tst_app_paths.moc"
