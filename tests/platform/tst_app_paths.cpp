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

QTEST_GUILESS_MAIN(TstAppPaths)
#include "tst_app_paths.moc"
