#include "shell/main_window.h"

#include "platform/qt_desktop.h"
#include "support/temp_app_folder.h"

#include <QAction>
#include <QtTest>

using namespace camvista;

// The toolbar's companion buttons with the real desktop: each program is found where the build
// puts it, VUDaviziDump/VUDaviziDump and MCCL/cls under the application folder.
class TstDumpButton : public QObject
{
    Q_OBJECT

private slots:
    void startsTheCompanionProgram_data();
    void startsTheCompanionProgram();
};

void TstDumpButton::startsTheCompanionProgram_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("program"); // placed in the application folder, "" for none
    QTest::addColumn<bool>("started");
    const QString dump = "Extract shots from a .sav file with VUDaviziDump";
    QTest::newRow("this system's name") << dump << "VUDaviziDump/VUDaviziDump" << true;
    QTest::newRow("the Windows name") << dump << "VUDaviziDump/VUDaviziDump.exe" << true;
    QTest::newRow("not installed") << dump << "" << false;
    QTest::newRow("elsewhere") << dump << "VUDaviziDump.exe" << false;
    QTest::newRow("MC: this system's name") << "MC"
                                            << "MCCL/cls" << true;
    QTest::newRow("MC: the Windows name") << "MC"
                                          << "MCCL/cls.exe" << true;
    QTest::newRow("MC: not installed") << "MC"
                                       << "" << false;
    QTest::newRow("MC: the dump program only") << "MC"
                                               << "VUDaviziDump/VUDaviziDump" << false;
}

void TstDumpButton::startsTheCompanionProgram()
{
    QFETCH(QString, key);
    QFETCH(QString, program);
    QFETCH(bool, started);
    test::TempAppFolder app;
    const QString marker = app.file("started");
    if (!program.isEmpty()) {
        // A stand-in that leaves a mark in its own working folder's parent.
        const QString path = app.write(program, "#!/bin/sh\ntouch ../started\n");
        QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
    }
    QtDesktop desktop;
    MainWindow w(desktop, app.paths());
    QAction *button = w.toolbarAction(key);
    QVERIFY(button);
    button->trigger();
    if (started) {
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 10000);
    } else {
        QTest::qWait(300);
        QVERIFY(!QFileInfo::exists(marker));
    }
}

QTEST_MAIN(TstDumpButton)
#include "tst_dump_button.moc"
