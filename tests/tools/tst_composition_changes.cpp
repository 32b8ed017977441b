#include "tool_test_support.h"

#include "platform/profile_file.h"
#include "tools/mosaic_window.h"
#include "tools/panorama_window.h"
#include "tools/tool_window_parts.h"
#include "tools/wild_frames_window.h"
#include "ui/drop_square.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QUndoStack>

using namespace camvista;
using namespace camvista::test;

namespace
{

// A mosaic or a panorama, with what a test needs to read its saved file.
struct Composition : ShotsFolder {
    std::unique_ptr<CompositionWindow> window;
    bool mosaic;
    int saves = 0;

    explicit Composition(bool isMosaic) : mosaic(isMosaic)
    {
        if (mosaic)
            window = std::make_unique<MosaicWindow>(desktop, app.paths());
        else
            window = std::make_unique<PanoramaWindow>(desktop, app.paths());
        window->show();
    }
    QAction *entry(const char *name) const { return window->findChild<QAction *>(name); }
    void place(const QString &name, int column, int line)
    {
        clickFile(window->frame1()->file1(), name);
        QVERIFY(dragFromList(window->frame1(), window->square(column, line)));
    }
    QImage save()
    {
        const QString path = app.file(QStringLiteral("saved%1.bmp").arg(++saves));
        desktop.saveFiles.push_back(path);
        entry("savepano")->trigger();
        return readBack(path);
    }
    // What the saved file shows where the square of that place lies.
    QImage savedSquare(const QImage &saved, int column, int line) const
    {
        return mosaic ? saved.copy(column * 160, line * 144, 160, 144)
                      : saved.copy(8 + column * 128, 8 + line * 112, 128, 112);
    }
    QImage placed(const QImage &shot) const { return mosaic ? shot : shot.copy(16, 16, 128, 112); }
};

} // namespace

class TstCompositionChanges : public QObject
{
    Q_OBJECT

private slots:
    void dropsAndCountsAreUndoneAndRedone_data();
    void dropsAndCountsAreUndoneAndRedone();
    void panoramaMovesAndPixelSizesAreUndone();
    void aChangedCompositionAsksBeforeItGoes_data();
    void aChangedCompositionAsksBeforeItGoes();
    void savedFilesTakeTheChosenScale_data();
    void savedFilesTakeTheChosenScale();
    void saveDialogsStartWhereTheLastSaveWent();
};

void TstCompositionChanges::dropsAndCountsAreUndoneAndRedone_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<bool>("keys"); // Ctrl+Z and Ctrl+Shift+Z, else the menu entries
    QTest::newRow("mosaic, menu") << true << false;
    QTest::newRow("panorama, keys") << false << true;
}

void TstCompositionChanges::dropsAndCountsAreUndoneAndRedone()
{
    QFETCH(bool, mosaic);
    QFETCH(bool, keys);
    Composition c(mosaic);
    QVERIFY(!c.entry("undo")->isEnabled() && !c.entry("redo")->isEnabled());
    QWidget *focus = c.window->frame1()->file1();
    c.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(c.window.get()));
    focus->setFocus();
    const auto step = [&](bool back) {
        if (!keys)
            c.entry(back ? "undo" : "redo")->trigger();
        else if (back)
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
        else
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    };
    c.place(QStringLiteral("a.bmp"), 0, 0);
    c.place(QStringLiteral("b.bmp"), 0, 0);
    step(true);
    QCOMPARE(c.savedSquare(c.save(), 0, 0), c.placed(c.shotA));
    step(true);
    QVERIFY(isFlat(c.savedSquare(c.save(), 0, 0), QRect(0, 0, 128, 112), squareColour(0, 0)));
    step(false);
    step(false);
    const QImage before = c.save();
    QCOMPARE(c.savedSquare(before, 0, 0), c.placed(c.shotB));

    // Fewer columns hide the last column's picture; undone, it shows again.
    const int last = c.window->columns() - 1;
    c.place(QStringLiteral("a.bmp"), last, 0);
    const QImage full = c.save();
    QTest::mouseClick(c.window->command1(), Qt::LeftButton);
    QTest::mouseClick(c.window->command3(), Qt::LeftButton);
    QVERIFY(c.save().width() < full.width());
    step(true);
    step(true);
    QCOMPARE(c.save(), full);
    step(true);
    QCOMPARE(c.save(), before);
    step(false);
    step(false);
    QCOMPARE(c.window->columns(), last);
}

void TstCompositionChanges::panoramaMovesAndPixelSizesAreUndone()
{
    Composition c(false);
    auto *p = static_cast<PanoramaWindow *>(c.window.get());
    c.place(QStringLiteral("a.bmp"), 0, 0);
    c.place(QStringLiteral("b.bmp"), 1, 0);
    DropSquare *square = c.window->square(1, 0);
    // Pressed and let go where it was, a square has not moved.
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(c.window->undoStack()->count(), 2);
    const QImage start = c.save();
    const QString openingSizeText = p->label11()->text();
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(-95, 25), square->mapToGlobal(QPoint(-95, 25)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(square, &move);
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(-95, 25));
    const QImage moved = c.save();
    // The moved square lies over its neighbour.
    QCOMPARE(moved.copy(8 + 28, 8 + 20, 100, 92), c.shotB.copy(16, 16, 100, 92));

    QTest::mouseClick(p->button("Command8"), Qt::LeftButton);
    QTest::mouseClick(p->button("Command5"), Qt::LeftButton);
    QCOMPARE(c.save().size(), QSize(272, 126));
    c.entry("undo")->trigger();
    c.entry("undo")->trigger();
    // Back to the opening border of 273 x 129, not the panorama plus 15.
    QCOMPARE(c.save(), moved);
    QCOMPARE(p->label11()->text(), openingSizeText);
    c.entry("undo")->trigger();
    QCOMPARE(square->pos(), QPoint(128, 0));
    QCOMPARE(c.save(), start);
    c.entry("redo")->trigger();
    QCOMPARE(c.save(), moved);
}

void TstCompositionChanges::aChangedCompositionAsksBeforeItGoes_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<QString>("command"); // the menu entry "new" or "quit", or the close box
    QTest::addColumn<QString>("answer");  // "Cancel", "Discard", "Save" (to `saveTo`), or
                                          // "unchanged" / "saved" when nothing is to be asked
    QTest::addColumn<QString>("saveTo");  // "ok", "fails", "cancel"
    QTest::addColumn<bool>("goes");
    const auto row = [](const char *name, bool mosaic, const char *command, const char *answer,
                        const char *saveTo, bool goes) {
        QTest::newRow(name) << mosaic << QString(command) << QString(answer) << QString(saveTo)
                            << goes;
    };
    row("mosaic New, Cancel", true, "new", "Cancel", "", false);
    row("mosaic New, Discard", true, "new", "Discard", "", true);
    row("mosaic Quit, Save", true, "quit", "Save", "ok", true);
    row("mosaic close, Save fails", true, "close", "Save", "fails", false);
    row("mosaic close, unchanged", true, "close", "unchanged", "", true);
    row("panorama New, Save cancelled", false, "new", "Save", "cancel", false);
    row("panorama close, Discard", false, "close", "Discard", "", true);
    row("panorama Quit, saved", false, "quit", "saved", "", true);
}

void TstCompositionChanges::aChangedCompositionAsksBeforeItGoes()
{
    QFETCH(bool, mosaic);
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(QString, saveTo);
    QFETCH(bool, goes);
    Composition c(mosaic);
    int renewed = 0;
    connect(c.window.get(), &CompositionWindow::newRequested, this, [&renewed] { ++renewed; });
    const bool asks = answer != QLatin1String("unchanged") && answer != QLatin1String("saved");
    if (answer != QLatin1String("unchanged")) {
        c.place(QStringLiteral("a.bmp"), 0, 0);
        QTest::mouseClick(c.window->command2(), Qt::LeftButton);
    }
    if (answer == QLatin1String("saved"))
        c.save();
    const QString written = c.app.file(QStringLiteral("kept.bmp"));
    if (asks) {
        c.desktop.answers.push_back(answer == QLatin1String("Cancel")    ? Desktop::Answer::Cancel
                                    : answer == QLatin1String("Discard") ? Desktop::Answer::Discard
                                                                         : Desktop::Answer::Save);
    }
    if (saveTo == QLatin1String("ok"))
        c.desktop.saveFiles.push_back(written);
    else if (saveTo == QLatin1String("fails"))
        c.desktop.saveFiles.push_back(c.app.file(QStringLiteral("no such folder/m.bmp")));
    else if (saveTo == QLatin1String("cancel"))
        c.desktop.saveFiles.push_back(std::nullopt);
    const qsizetype before = c.desktop.messages.size();
    if (command == QLatin1String("close"))
        c.window->close();
    else
        c.entry(qPrintable(command))->trigger();

    // The question, and after it the failed save's message.
    QCOMPARE(c.desktop.messages.size() - before,
             (asks ? 1 : 0) + (saveTo == QLatin1String("fails") ? 1 : 0));
    if (asks) {
        QCOMPARE(c.desktop.messages[before].buttons, Desktop::Buttons::SaveDiscardCancel);
        QVERIFY(c.desktop.messages[before].text.contains(mosaic ? "mosaic" : "panorama"));
    }
    if (command == QLatin1String("new"))
        QCOMPARE(renewed, goes ? 1 : 0);
    else
        QCOMPARE(c.window->isVisible(), !goes);
    QCOMPARE(QFileInfo::exists(written), saveTo == QLatin1String("ok"));
    if (saveTo == QLatin1String("ok"))
        QCOMPARE(c.savedSquare(readBack(written), 0, 0), c.placed(c.shotA));
    if (!goes) // kept as it was, changes and all
        QVERIFY(c.window->isChanged() && !c.window->square(0, 0)->picture().isNull());
}

void TstCompositionChanges::savedFilesTakeTheChosenScale_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<int>("choice"); // index of the factor in the dialog
    QTest::addColumn<bool>("full");  // the 6 x 5 mosaic
    QTest::newRow("mosaic 3x") << true << 2 << false;
    QTest::newRow("panorama 10x") << false << 9 << false;
    // 9600 x 7200 pixels: more than the program opens.
    QTest::newRow("6 x 5 mosaic at 10x") << true << 9 << true;
}

void TstCompositionChanges::savedFilesTakeTheChosenScale()
{
    QFETCH(bool, mosaic);
    QFETCH(int, choice);
    QFETCH(bool, full);
    Composition c(mosaic);
    c.place(QStringLiteral("a.bmp"), 0, 0);
    for (int i = 0; full && i < 2; ++i) {
        QTest::mouseClick(c.window->command2(), Qt::LeftButton);
        QTest::mouseClick(c.window->command3(), Qt::LeftButton);
    }
    const QImage plain = c.save();
    const QString path = c.app.file(QStringLiteral("scaled.png"));
    c.desktop.saveFiles.push_back(path);
    c.desktop.saveChoices.push_back(choice);
    QCOMPARE(c.window->savepano_Click(), !full);
    const Desktop::FileDialog &dialog = c.desktop.fileDialogs.last();
    QCOMPARE(dialog.choices,
             QStringList({"1x", "2x", "3x", "4x", "5x", "6x", "7x", "8x", "9x", "10x"}));
    QCOMPARE(dialog.choice, 0);
    QCOMPARE(QFileInfo::exists(path), !full);
    if (full)
        QVERIFY(c.desktop.messages.last().text.contains(QStringLiteral("9600 x 7200")));
    else
        QCOMPARE(readBack(path), plain.scaled(plain.size() * (choice + 1), Qt::IgnoreAspectRatio,
                                              Qt::FastTransformation));
}

void TstCompositionChanges::saveDialogsStartWhereTheLastSaveWent()
{
    Composition c(true);
    const QString settings = c.app.paths().settingsFile();
    profile::writeString(settings, QStringLiteral("Camvista"), QStringLiteral("User ID"), "1234");
    // Spaces at the end and letters beyond Latin-1 come back as they were.
    const QString other = c.app.file(QStringLiteral("写真 folder "));
    QVERIFY(QDir().mkpath(other));
    c.desktop.saveFiles = {other + QStringLiteral("/m.bmp"), std::nullopt};
    c.window->savepano_Click();
    WildFramesWindow later(c.desktop, c.app.paths()); // as on the next run: read from the file
    later.savewf_Click();
    QVERIFY(QDir(other).removeRecursively());
    c.desktop.saveFiles = {std::nullopt};
    c.window->savepano_Click(); // the folder is gone: back to the shots folder
    QCOMPARE(c.desktop.fileDialogs.size(), 3);
    QCOMPARE(c.desktop.fileDialogs[0].folder, c.app.paths().shotsFolder());
    QCOMPARE(c.desktop.fileDialogs[1].folder, other);
    QCOMPARE(c.desktop.fileDialogs[2].folder, c.app.paths().shotsFolder());
    QCOMPARE(profile::readString(settings, QStringLiteral("Camvista"), QStringLiteral("User ID")),
             QStringLiteral("1234"));
}

QTEST_MAIN(TstCompositionChanges)
#include "tst_composition_changes.moc"
