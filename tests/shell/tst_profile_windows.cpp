#include "shell/about_window.h"
#include "shell/ini.h"
#include "shell/main_window.h"
#include "shell/user_id_dialog.h"

#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"
#include "ui/twips_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using namespace camvista;

class TstProfileWindows : public QObject
{
    Q_OBJECT

private slots:
    void openingFillsTheBoxesAndShortensTheCaption_data();
    void openingFillsTheBoxesAndShortensTheCaption();
    void typingStoresAtOnce_data();
    void typingStoresAtOnce();
    void emptiedIdComesBackAtNextStart();
    void dialogLayout();
    void dialogsOpenHighAndCentred_data();
    void dialogsOpenHighAndCentred();
    void aboutWindow();
};

void TstProfileWindows::openingFillsTheBoxesAndShortensTheCaption_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("boxes"); // Text1 .. Text5
    QTest::addColumn<QString>("caption");
    QTest::newRow("full profile")
        << QByteArray("[Camvista]\nUser ID=12345678\nName=ANNA\nMonth=04\nDay=17\nYear=1998\n")
        << QStringList{"12345678", "04", "17", "1998", "ANNA"}
        << "Camvista v.7.0 - Welcome, GC-12345678 !";
    QTest::newRow("only the ID: the design texts give way")
        << QByteArray("[Camvista]\nUser ID=42\n") << QStringList{"42", "", "", "", ""}
        << "Camvista v.7.0 - Welcome, GC-42 !";
}

void TstProfileWindows::openingFillsTheBoxesAndShortensTheCaption()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, boxes);
    QFETCH(QString, caption);
    test::TempAppFolder app;
    app.write("camvista.ini", ini);
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    QVERIFY(w.windowTitle().startsWith("Camvista v.7.0.3"));
    UserIdDialog *dialog = w.showUserIdDialog();
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(dialog->box(i)->text(), boxes[i - 1]);
    QCOMPARE(w.windowTitle(), caption);
    // A box whose design text was replaced stored its (empty) value.
    QCOMPARE(ReadIni(app.paths(), "Camvista", "Month"), boxes[1]);
}

void TstProfileWindows::typingStoresAtOnce_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("beeps");
    QTest::newRow("ID digits") << 1 << "User ID"
                               << "87654321"
                               << "87654321" << 0;
    QTest::newRow("ID letters beep") << 1 << "User ID"
                                     << "1a2b"
                                     << "12" << 2;
    QTest::newRow("ID dot and percent") << 1 << "User ID"
                                        << "1.%"
                                        << "1.%" << 0;
    QTest::newRow("ID at most 8") << 1 << "User ID"
                                  << "1234567890"
                                  << "12345678" << 0;
    QTest::newRow("month") << 2 << "Month"
                           << "x12"
                           << "12" << 1;
    QTest::newRow("day at most 2") << 3 << "Day"
                                   << "311"
                                   << "31" << 0;
    QTest::newRow("year") << 4 << "Year"
                          << "19y99"
                          << "1999" << 1;
    QTest::newRow("name takes anything") << 5 << "Name"
                                         << "Zoe-9 !xyz"
                                         << "Zoe-9 !x" << 0;
}

void TstProfileWindows::typingStoresAtOnce()
{
    QFETCH(int, box);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(int, beeps);
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    UserIdDialog *dialog = w.showUserIdDialog();
    QLineEdit *edit = dialog->box(box);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), stored);
    QCOMPARE(ReadIni(app.paths(), "Camvista", key), stored);
    QCOMPARE(desktop.beeps, beeps);
    if (box == 1)
        QCOMPARE(w.windowTitle(), "Camvista v.7.0 - Welcome, GC-" + stored + " !");
}

void TstProfileWindows::emptiedIdComesBackAtNextStart()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    {
        MainWindow w(desktop, app.paths());
        UserIdDialog *dialog = w.showUserIdDialog();
        dialog->box(1)->selectAll();
        QTest::keyClick(dialog->box(1), Qt::Key_Backspace);
        QCOMPARE(dialog->box(1)->text(), QString());
        QCOMPARE(w.windowTitle(), QString("Camvista v.7.0 - Welcome, GC- !"));
        QCOMPARE(ReadIni(app.paths(), "Camvista", "User ID"), QString());
    }
    MainWindow next(desktop, app.paths());
    QCOMPARE(ReadIni(app.paths(), "Camvista", "User ID"), QString("????????"));
    QCOMPARE(next.windowTitle(), QString("Camvista v.7.0.3 - Welcome, GC-???????? !"));
}

void TstProfileWindows::dialogLayout()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    UserIdDialog *dialog = w.showUserIdDialog();
    QCOMPARE(dialog->objectName(), QString("setmyid"));
    QCOMPARE(dialog->windowTitle(), QString("Set my ID!"));
    QCOMPARE(dialog->size(), QSize(160, 136));
    const struct {
        const char *name;
        QRect twips;
        int maxLength;
    } boxes[] = {{"Text1", {1200, 1680, 975, 285}, 8},
                 {"Text2", {945, 1320, 270, 285}, 2},
                 {"Text3", {1320, 1320, 255, 285}, 2},
                 {"Text4", {1680, 1320, 495, 285}, 4},
                 {"Text5", {960, 960, 975, 285}, 8}};
    QWidget *previous = nullptr;
    for (const auto &b : boxes) {
        auto *edit = dialog->findChild<QLineEdit *>(b.name);
        QVERIFY(edit);
        QCOMPARE(edit->geometry(),
                 twipsRect(b.twips.x(), b.twips.y(), b.twips.width(), b.twips.height()));
        QCOMPARE(edit->maxLength(), b.maxLength);
        if (previous)
            QCOMPARE(previous->nextInFocusChain(), edit); // tab order Text1 .. Text5
        previous = edit;
    }
    // Shown again: the same window, not a second one.
    QCOMPARE(w.showUserIdDialog(), dialog);
    QCOMPARE(w.findChildren<UserIdDialog *>().size(), 1);
}

void TstProfileWindows::dialogsOpenHighAndCentred_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");
    // top = (screen - window) / 2 - 2000 twips, in twips, then pixels.
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QSize(170, 160) << QPoint(555, 299);
    QTest::newRow("800 x 600") << QSize(800, 600) << QSize(390, 190) << QPoint(205, 72);
    QTest::newRow("too small: kept on screen")
        << QSize(400, 300) << QSize(390, 190) << QPoint(5, 0);
}

void TstProfileWindows::dialogsOpenHighAndCentred()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    QCOMPARE(centredHigh(screen, window, 2000), expected);
}

void TstProfileWindows::aboutWindow()
{
    test::TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    AboutWindow *about = w.showAboutWindow();
    QCOMPARE(about->windowTitle(), QString("About this software..."));
    QCOMPARE(about->size(), QSize(380, 161));
    QCOMPARE(about->findChild<QLabel *>("Label1")->text(), QString("Camvista v.7.0.3"));
    QCOMPARE(about->findChild<QLabel *>("Label2")->text(),
             QString("The workplace for all da ole GB Pocket Cam'z users and artists!"));
    QCOMPARE(about->findChild<QLabel *>("Label4")->text(), QString("Web: "));
    QCOMPARE(about->findChild<QLabel *>("Label6")->text(), QString("Contact:"));
    QVERIFY(about->findChild<QLabel *>("Label1")->font().bold());
    QCOMPARE(about->findChild<QLabel *>("Image2")->geometry(), QRect(8, 8, 160, 144));
    QVERIFY(about->parentWidget()->windowFlags() & Qt::WindowStaysOnTopHint);

    // The double click reveals the picture underneath, until the window is closed.
    const QImage front = about->image2()->pixmap().toImage();
    const QImage under = about->findChild<QLabel *>("Image1")->pixmap().toImage();
    QVERIFY(front != under);
    QTest::mouseDClick(about->image2(), Qt::LeftButton);
    QCOMPARE(about->image2()->pixmap().toImage(), under);

    QCOMPARE(about->webLabel()->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(about->webLabel(), Qt::LeftButton);
    QCOMPARE(desktop.openedAddresses, QStringList{"http://" + kMakerAddress});

    about->parentWidget()->close();
    QTRY_VERIFY(w.findChildren<AboutWindow *>().isEmpty());
    AboutWindow *again = w.showAboutWindow();
    QCOMPARE(again->image2()->pixmap().toImage(), front);
}

QTEST_MAIN(TstProfileWindows)
#include "tst_profile_windows.moc"
