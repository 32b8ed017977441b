#include "ui/digit_key_filter.h"

#include "platform/fake_desktop.h"

#include <QLineEdit>
#include <QtTest>

using namespace camvista;

class TstDigitKeyFilter : public QObject
{
    Q_OBJECT

private slots:
    void filtersTypedCharacters_data();
    void filtersTypedCharacters();
    void editingKeysStillWork();
};

void TstDigitKeyFilter::filtersTypedCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits") << "0123456789"
                            << "0123456789" << 0;
    QTest::newRow("letters") << "aZ"
                             << "" << 2;
    QTest::newRow("dot and percent") << "1.5%"
                                     << "1.5%" << 0;
    QTest::newRow("ampersand, quote, parenthesis") << "&'("
                                                   << "&'(" << 0;
    QTest::newRow("closing parenthesis, minus, space, comma") << ")- ,"
                                                              << "" << 4;
    QTest::newRow("mixed") << "1a2b"
                           << "12" << 2;
}

void TstDigitKeyFilter::filtersTypedCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    FakeDesktop desktop;
    QLineEdit box;
    DigitKeyFilter filter(desktop);
    box.installEventFilter(&filter);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), expected);
    QCOMPARE(desktop.beeps, beeps);
}

void TstDigitKeyFilter::editingKeysStillWork()
{
    FakeDesktop desktop;
    QLineEdit box("1234");
    DigitKeyFilter filter(desktop);
    box.installEventFilter(&filter);
    box.setCursorPosition(4);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClick(&box, Qt::Key_Right);
    QTest::keyClick(&box, '9');
    QCOMPARE(box.text(), QString("293"));
    QCOMPARE(desktop.beeps, 0);

    // Enter and Escape type characters (13 and 27) that are not on the list: each beeps.
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Escape);
    QCOMPARE(box.text(), QString("293"));
    QCOMPARE(desktop.beeps, 2);
}

QTEST_MAIN(TstDigitKeyFilter)
#include "tst_digit_key_filter.moc"
