#include "browser/browser_window.h"
#include "browser/messenger_command.h"
#include "platform/fake_desktop.h"
#include "platform/fake_messenger.h"
#include "support/temp_app_folder.h"
#include "ui/file_list.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

using namespace camvista;
using namespace camvista::test;

Q_DECLARE_METATYPE(Desktop::Answer)

namespace
{

struct Fixture {
    Fixture()
    {
        QDir().mkpath(app.file(QStringLiteral("VUDavizi Shots")));
        QImage(160, 144, QImage::Format_RGB32).save(shot(), "BMP");
        browser = std::make_unique<BrowserWindow>(desktop, messenger, app.paths());
        browser->setFolder(app.file(QStringLiteral("VUDavizi Shots")));
        browser->show();
    }
    QString shot() const { return app.file(QStringLiteral("VUDavizi Shots/my shot.bmp")); }
    void click() { QTest::mouseClick(browser->command5(), Qt::LeftButton); }

    TempAppFolder app;
    FakeDesktop desktop;
    FakeMessenger messenger;
    std::unique_ptr<BrowserWindow> browser;
};

} // namespace

class TstMessenger : public QObject
{
    Q_OBJECT

private slots:
    void nothingSelected();
    void callSequence_data();
    void callSequence();
    void noMessengerHere();
};

void TstMessenger::nothingSelected()
{
    Fixture f;
    f.browser->file1()->clearSelection();
    f.click();
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.desktop.messages[0].text, QStringLiteral("Select a picture first"));
    QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Hey!"));
    QCOMPARE(f.desktop.messages[0].icon, Desktop::Icon::Question);
    QCOMPARE(f.desktop.messages[0].buttons, Desktop::Buttons::Ok);
    QVERIFY(f.messenger.calls.isEmpty());
}

void TstMessenger::callSequence_data()
{
    QTest::addColumn<std::optional<int>>("status");
    QTest::addColumn<Desktop::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QStringList>("calls"); // "%1" stands for the shot's full path
    QTest::addColumn<bool>("toldAbsent");   // told that no messenger took the picture

    const QString start = QStringLiteral("start ") + kMessengerProgram;
    QTest::newRow("signed out, Yes: sign in, no picture")
        << std::optional<int>(1) << Desktop::Answer::Yes << true
        << QStringList{"status", start, "sign in"} << false;
    QTest::newRow("signed out, No")
        << std::optional<int>(1) << Desktop::Answer::No << true << QStringList{"status"} << false;
    QTest::newRow("signed in") << std::optional<int>(2) << Desktop::Answer::Ok << false
                               << QStringList{"status", "property 2 = %1"} << false;
    QTest::newRow("status 0") << std::optional<int>(0) << Desktop::Answer::Ok << false
                              << QStringList{"status", "property 2 = %1"} << false;
    QTest::newRow("no messenger answers") << std::optional<int>() << Desktop::Answer::Ok << false
                                          << QStringList{"status", "property 2 = %1"} << true;
}

void TstMessenger::callSequence()
{
    QFETCH(std::optional<int>, status);
    QFETCH(Desktop::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(QStringList, calls);
    QFETCH(bool, toldAbsent);
    Fixture f;
    f.messenger.status = status;
    f.desktop.answers.push_back(answer);
    QVERIFY(f.browser->file1()->selectFile(QStringLiteral("my shot.bmp")));
    f.click();

    for (QString &call : calls)
        call.replace(QStringLiteral("%1"), QDir::toNativeSeparators(f.shot()));
    QCOMPARE(f.messenger.calls, calls);
    QCOMPARE(f.desktop.messages.size(), asked || toldAbsent ? 1 : 0);
    if (toldAbsent)
        QCOMPARE(f.desktop.messages[0].text, kNoMessengerMessage);
    if (asked) {
        QCOMPARE(f.desktop.messages[0].text, kSignInQuestion);
        QCOMPARE(f.desktop.messages[0].title, QStringLiteral("Hey!"));
        QCOMPARE(f.desktop.messages[0].icon, Desktop::Icon::Question);
        QCOMPARE(f.desktop.messages[0].buttons, Desktop::Buttons::YesNo);
    }
}

void TstMessenger::noMessengerHere()
{
    // The system's own messenger: none exists here. The user learns that nothing changed.
    TempAppFolder app;
    FakeDesktop desktop;
    QDir().mkpath(app.file(QStringLiteral("VUDavizi Shots")));
    QImage(128, 112, QImage::Format_RGB32).save(app.file(QStringLiteral("VUDavizi Shots/a.bmp")));
    BrowserWindow browser(desktop, app.paths());
    browser.setFolder(app.file(QStringLiteral("VUDavizi Shots")));
    QVERIFY(browser.file1()->selectFile(QStringLiteral("a.bmp")));
    QCOMPARE(systemMessenger().myStatus(), std::optional<int>());
    browser.Command5_Click();
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(desktop.messages[0].text, kNoMessengerMessage);
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Information);
    QVERIFY(desktop.startedPrograms.isEmpty());
}

QTEST_MAIN(TstMessenger)
#include "tst_messenger.moc"
