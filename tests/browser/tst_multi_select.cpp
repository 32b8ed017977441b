#include "browser_test_support.h"

#include "data/browser_pictures.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QPushButton>

using namespace camvista;
using namespace camvista::test;

namespace
{

const QStringList kNames{"a.bmp", "b.bmp", "c.bmp", "d.bmp"};

// Clicks on the list as the user makes them: "b" a plain click on b.bmp, "^b" with Ctrl,
// "+b" with Shift, "*" Ctrl+A.
void play(BrowserFixture &f, const QString &clicks)
{
    FileList *list = f.browser->file1();
    for (const QString &step : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("*")) {
            QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
            continue;
        }
        Qt::KeyboardModifiers mods;
        QString name = step;
        if (step.startsWith(QLatin1Char('^')))
            mods = Qt::ControlModifier;
        else if (step.startsWith(QLatin1Char('+')))
            mods = Qt::ShiftModifier;
        if (mods)
            name = step.mid(1);
        QListWidgetItem *item = list->findItems(name + ".bmp", Qt::MatchExactly).value(0);
        QVERIFY2(item, qPrintable(name));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods,
                          list->visualItemRect(item).center());
    }
}

} // namespace

class TstMultiSelect : public QObject
{
    Q_OBJECT

private slots:
    void clicksPickShotsAndThePreviewFollows_data();
    void clicksPickShotsAndThePreviewFollows();
    void plainClicksKeepTheirMeaning();
    void refreshKeepsTheSelection();
};

void TstMultiSelect::clicksPickShotsAndThePreviewFollows_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("previewed"); // empty: the placeholder

    QTest::newRow("plain") << "c" << QStringList{"c.bmp"} << "c.bmp";
    QTest::newRow("plain replaces") << "a c" << QStringList{"c.bmp"} << "c.bmp";
    QTest::newRow("ctrl adds") << "a ^c" << QStringList{"a.bmp", "c.bmp"} << "c.bmp";
    QTest::newRow("shift spans") << "b +d" << QStringList{"b.bmp", "c.bmp", "d.bmp"} << "d.bmp";
    QTest::newRow("shift upwards") << "d +b" << QStringList{"b.bmp", "c.bmp", "d.bmp"} << "b.bmp";
    QTest::newRow("ctrl takes out") << "a ^b ^a" << QStringList{"b.bmp"} << "b.bmp";
    QTest::newRow("plain after many") << "a +d c" << QStringList{"c.bmp"} << "c.bmp";
    QTest::newRow("ctrl a") << "b *" << kNames << "b.bmp";
    QTest::newRow("ctrl a first") << "*" << kNames << "";
}

void TstMultiSelect::clicksPickShotsAndThePreviewFollows()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, selected);
    QFETCH(QString, previewed);

    BrowserFixture f;
    QHash<QString, QImage> shots;
    quint32 seed = 40;
    for (const QString &name : kNames) {
        shots[name] = fourShadeShot(160, 144, ++seed);
        f.addShot(name, shots[name]);
    }
    play(f, clicks);

    QCOMPARE(f.browser->file1()->selectedFileNames(), selected);
    QCOMPARE(f.browser->selectedShots().size(), selected.size());
    for (int i = 0; i < selected.size(); ++i)
        QCOMPARE(f.browser->selectedShots().at(i), QDir(f.shots).filePath(selected.at(i)));
    const QImage expected =
        previewed.isEmpty() ? rgb32(data::previewPlaceholder()) : shots.value(previewed);
    QCOMPARE(rgb32(f.browser->preview()->picture()), expected);
    QCOMPARE(f.desktop.messages.size(), 0);
}

void TstMultiSelect::plainClicksKeepTheirMeaning()
{
    BrowserFixture f;
    const QImage framed = fourShadeShot(160, 144, 7);
    f.addShot("a.bmp", framed);
    f.addShot("b.bmp", fourShadeShot(160, 144, 8));
    f.addShot("c.bmp", fourShadeShot(161, 144, 9));
    play(f, "b +c");
    QCOMPARE(f.browser->file1()->selectedFileNames().size(), 2);

    // A double click after a selection of several opens the one file clicked, as before.
    QVERIFY(f.doubleClick("a.bmp"));
    QCOMPARE(f.browser->file1()->selectedFileNames(), QStringList{"a.bmp"});
    QCOMPARE(f.editors.size(), 1);
    QCOMPARE(f.editors.first()->windowTitle(), QString("a.bmp"));
    QCOMPARE(rgb32(f.editors.first()->picture1()->picture()), framed);
    // The size check still applies to the file double-clicked.
    QVERIFY(f.doubleClick("c.bmp"));
    QCOMPARE(f.editors.size(), 1);
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.desktop.messages.first().title, QString("Bad!"));
}

void TstMultiSelect::refreshKeepsTheSelection()
{
    BrowserFixture f;
    for (const QString &name : kNames)
        f.addShot(name, fourShadeShot(160, 144, 3));
    play(f, "a ^c ^d ^b");
    QCOMPARE(f.browser->file1()->fileName(), QString("b.bmp"));
    QFile::remove(QDir(f.shots).filePath("d.bmp"));
    f.browser->command4()->click();
    QCOMPARE(f.browser->file1()->selectedFileNames(), (QStringList{"a.bmp", "b.bmp", "c.bmp"}));
    QCOMPARE(f.browser->file1()->fileName(), QString("b.bmp"));
}

QTEST_MAIN(TstMultiSelect)
#include "tst_multi_select.moc"
