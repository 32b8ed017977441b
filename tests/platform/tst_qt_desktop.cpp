#include "platform/qt_desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QtTest>

using namespace camvista;

namespace
{

struct SeenBox {
    QString title;
    QString text;
    int width = 0;
    int textWidth = 0; // the message label's width
};

// Waits for the message box the desktop shows, notes what it looks like and presses one of
// its buttons, so the test never waits on the user.
void answerTheBox(SeenBox &seen, QMessageBox::StandardButton press)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.width = box->width();
        if (const auto *label = box->findChild<QLabel *>("qt_msgbox_label"))
            seen.textWidth = label->width();
        box->button(press)->click();
        poll->deleteLater();
    });
    poll->start();
}

} // namespace

class TstQtDesktop : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxesFitTheirTitle_data();
    void messageBoxesFitTheirTitle();
    void dialogResultWithNulIsNotFound();
};

void TstQtDesktop::messageBoxesFitTheirTitle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("buttons"); // Desktop::Buttons
    QTest::addColumn<int>("press");   // QMessageBox::StandardButton
    QTest::addColumn<int>("answer");  // Desktop::Answer
    QTest::newRow("short text") << "Shot deleted"
                                << "Camvista" << int(Desktop::Buttons::Ok) << int(QMessageBox::Ok)
                                << int(Desktop::Answer::Ok);
    QTest::newRow("one letter, long title")
        << "x"
        << "Camvista v.7.0.3 - Welcome, GC-12345678 !" << int(Desktop::Buttons::Ok)
        << int(QMessageBox::Ok) << int(Desktop::Answer::Ok);
    QTest::newRow("question") << "Delete the shot?"
                              << "Warning" << int(Desktop::Buttons::YesNo) << int(QMessageBox::No)
                              << int(Desktop::Answer::No);
    QTest::newRow("long text keeps its own width")
        << "Camvista could not open the folder \u201C/home/someone/VUDavizi Shots\u201D in the "
           "file manager."
        << "Hey!" << int(Desktop::Buttons::OkCancel) << int(QMessageBox::Cancel)
        << int(Desktop::Answer::Cancel);
}

void TstQtDesktop::messageBoxesFitTheirTitle()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);

    QtDesktop desktop;
    SeenBox seen;
    answerTheBox(seen, QMessageBox::StandardButton(press));
    const Desktop::Answer got =
        desktop.showMessage(nullptr, text, title, Desktop::Icon::None, Desktop::Buttons(buttons));
    QCOMPARE(int(got), answer);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);

    // The title in a bold face a quarter larger than the program's font, beside an icon,
    // three buttons as wide as the title bar is high and room round them, fits the box.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QVERIFY2(seen.width >= QFontMetrics(titleFont).horizontalAdvance(title) + 5 * bar,
             qPrintable(QString::number(seen.width)));
    // The text keeps its whole width beside it.
    QVERIFY(seen.width > seen.textWidth);
}

void TstQtDesktop::dialogResultWithNulIsNotFound()
{
    QtDesktop desktop;
    QVERIFY(!desktop.refusedWithNul(nullptr, QStringLiteral("/tmp/a.bmp")));
    SeenBox seen;
    answerTheBox(seen, QMessageBox::Ok);
    const QString path = QStringLiteral("/tmp/a.bmp") + QChar(0) + QStringLiteral(".txt");
    QVERIFY(desktop.refusedWithNul(nullptr, path));
    QVERIFY2(seen.text.contains(QLatin1String("could not be found")), qPrintable(seen.text));
}

QTEST_MAIN(TstQtDesktop)
#include "tst_qt_desktop.moc"
