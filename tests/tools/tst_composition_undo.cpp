#include "tool_test_support.h"

#include "tools/mosaic_window.h"
#include "tools/panorama_window.h"
#include "tools/tool_window_parts.h"
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
    PanoramaWindow *panorama() const { return static_cast<PanoramaWindow *>(window.get()); }
    QAction *entry(const char *name) const
    {
        for (QAction *action : window->menuActions())
            if (action->objectName() == QLatin1String(name))
                return action;
        return nullptr;
    }
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
    // Where the square of that place lies in the saved file, and what a shot becomes there.
    QRect savedRect(int column, int line) const
    {
        return mosaic ? QRect(column * 160, line * 144, 160, 144)
                      : QRect(8 + column * 128, 8 + line * 112, 128, 112);
    }
    QImage placed(const QImage &shot) const { return mosaic ? shot : shot.copy(16, 16, 128, 112); }
    bool showsShot(const QImage &saved, int column, int line, const QImage &shot) const
    {
        return saved.copy(savedRect(column, line)) == placed(shot);
    }
    bool showsEmpty(const QImage &saved, int column, int line) const
    {
        return isFlat(saved, savedRect(column, line), squareColour(column, line));
    }
};

} // namespace

class TstCompositionUndo : public QObject
{
    Q_OBJECT

private slots:
    void dropsAreUndoneAndRedone_data();
    void dropsAreUndoneAndRedone();
    void undoneCountChangeBringsThePicturesBack_data();
    void undoneCountChangeBringsThePicturesBack();
    void panoramaMovesAndPixelSizesAreUndone();
    void whatChangesNothingLeavesNothingToUndo_data();
    void whatChangesNothingLeavesNothingToUndo();
    void aChangedCompositionAsksBeforeItGoes_data();
    void aChangedCompositionAsksBeforeItGoes();
    void savedFilesTakeTheChosenScale_data();
    void savedFilesTakeTheChosenScale();
};

void TstCompositionUndo::dropsAreUndoneAndRedone_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<bool>("keys"); // Ctrl+Z and Ctrl+Shift+Z, else the menu entries
    QTest::newRow("mosaic, menu") << true << false;
    QTest::newRow("mosaic, keys") << true << true;
    QTest::newRow("panorama, menu") << false << false;
    QTest::newRow("panorama, keys") << false << true;
}

void TstCompositionUndo::dropsAreUndoneAndRedone()
{
    QFETCH(bool, mosaic);
    QFETCH(bool, keys);
    Composition c(mosaic);
    QCOMPARE(c.entry("undo")->text(), QStringLiteral("&Undo"));
    QCOMPARE(c.entry("redo")->text(), QStringLiteral("&Redo"));
    QVERIFY(!c.entry("undo")->isEnabled() && !c.entry("redo")->isEnabled());
    c.place(QStringLiteral("a.bmp"), 0, 0);
    c.place(QStringLiteral("b.bmp"), 0, 0);
    QVERIFY(c.showsShot(c.save(), 0, 0, c.shotB));

    QWidget *focus = c.window->frame1()->file1();
    if (keys) {
        c.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(c.window.get()));
        focus->setFocus();
    }
    const auto undo = [&] {
        if (keys)
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
        else
            c.entry("undo")->trigger();
    };
    const auto redo = [&] {
        if (keys)
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            c.entry("redo")->trigger();
    };
    undo();
    QVERIFY(c.showsShot(c.save(), 0, 0, c.shotA));
    undo();
    QVERIFY(c.showsEmpty(c.save(), 0, 0));
    QVERIFY(!c.entry("undo")->isEnabled());
    redo();
    QVERIFY(c.showsShot(c.save(), 0, 0, c.shotA));
    redo();
    QVERIFY(c.showsShot(c.save(), 0, 0, c.shotB));
    QVERIFY(!c.entry("redo")->isEnabled());
    // A new drop after an undo drops what could have been redone.
    undo();
    c.place(QStringLiteral("a.bmp"), 1, 0);
    QVERIFY(!c.entry("redo")->isEnabled());
    const QImage saved = c.save();
    QVERIFY(c.showsShot(saved, 0, 0, c.shotA));
    QVERIFY(c.showsShot(saved, 1, 0, c.shotA));
}

void TstCompositionUndo::undoneCountChangeBringsThePicturesBack_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::newRow("mosaic") << true;
    QTest::newRow("panorama") << false;
}

void TstCompositionUndo::undoneCountChangeBringsThePicturesBack()
{
    QFETCH(bool, mosaic);
    Composition c(mosaic);
    const int last = mosaic ? 3 : 1; // the last column at opening
    c.place(QStringLiteral("a.bmp"), last, 0);
    c.place(QStringLiteral("b.bmp"), 0, 0);
    const QImage before = c.save();
    QTest::mouseClick(c.window->command1(), Qt::LeftButton);
    QTest::mouseClick(c.window->command3(), Qt::LeftButton);
    const QImage fewer = c.save();
    // The panorama's border box goes from its opening size to the panorama's plus 15.
    QCOMPARE(fewer.width(), before.width() - (mosaic ? 160 : 130));
    QCOMPARE(fewer.height(), before.height() + (mosaic ? 144 : 110));
    c.entry("undo")->trigger();
    c.entry("undo")->trigger();
    QCOMPARE(c.window->columns(), mosaic ? 4 : 2);
    QCOMPARE(c.window->lines(), mosaic ? 4 : 1);
    const QImage back = c.save();
    QCOMPARE(back, before);
    QVERIFY(c.showsShot(back, last, 0, c.shotA));
    c.entry("redo")->trigger();
    QCOMPARE(c.save().width(), fewer.width());
}

void TstCompositionUndo::panoramaMovesAndPixelSizesAreUndone()
{
    Composition c(false);
    c.place(QStringLiteral("a.bmp"), 0, 0);
    c.place(QStringLiteral("b.bmp"), 1, 0);
    DropSquare *square = c.window->square(1, 0);
    // Pressing the square draws it over the others; released where it was, nothing moved.
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(c.window->undoStack()->count(), 2);
    const QImage start = c.save();
    const QString openingSizeText = c.window->label11()->text();
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(-95, 25), square->mapToGlobal(QPoint(-95, 25)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(square, &move);
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(-95, 25));
    QCOMPARE(square->pos(), QPoint(28, 20));
    const QImage moved = c.save();
    QVERIFY(moved != start);
    // The moved square lies over its neighbour.
    QCOMPARE(moved.copy(8 + 28, 8 + 20, 100, 92), c.shotB.copy(16, 16, 100, 92));

    PanoramaWindow *p = c.panorama();
    QTest::mouseClick(p->button("Command8"), Qt::LeftButton);
    QTest::mouseClick(p->button("Command5"), Qt::LeftButton);
    QCOMPARE(c.save().size(), QSize(272, 126));
    c.entry("undo")->trigger();
    c.entry("undo")->trigger();
    // Back to the opening border of 273 x 129, not the panorama plus 15.
    QCOMPARE(c.save(), moved);
    QCOMPARE(p->label9()->text(), QStringLiteral("256"));
    QCOMPARE(p->label8()->text(), QStringLiteral("112"));
    QCOMPARE(p->label11()->text(), openingSizeText);
    c.entry("undo")->trigger();
    QCOMPARE(square->pos(), QPoint(128, 0));
    QCOMPARE(c.save(), start);
    c.entry("redo")->trigger();
    QCOMPARE(c.save(), moved);
}

void TstCompositionUndo::whatChangesNothingLeavesNothingToUndo_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::newRow("mosaic") << true;
    QTest::newRow("panorama") << false;
}

void TstCompositionUndo::whatChangesNothingLeavesNothingToUndo()
{
    QFETCH(bool, mosaic);
    Composition c(mosaic);
    // A "+" at the last column, a drop with no shot selected and one of an unframed shot.
    while (c.window->columns() < (mosaic ? 6 : 7))
        QTest::mouseClick(c.window->command2(), Qt::LeftButton);
    const int steps = c.window->undoStack()->count();
    QTest::mouseClick(c.window->command2(), Qt::LeftButton);
    dropOn(c.window->square(0, 0), shotDragData(c.shot(QStringLiteral("a.bmp"))));
    c.place(QStringLiteral("small.bmp"), 0, 0);
    QCOMPARE(c.desktop.messages.size(), 2);
    QCOMPARE(c.window->undoStack()->count(), steps);
    // Undone back to the opening state, the window has nothing to ask about.
    c.window->undoStack()->setIndex(0);
    QVERIFY(!c.window->isChanged());
    // The same shot dropped twice on a square is one change.
    c.place(QStringLiteral("a.bmp"), 0, 0);
    c.place(QStringLiteral("a.bmp"), 0, 0);
    QCOMPARE(c.window->undoStack()->count(), 1);
}

void TstCompositionUndo::aChangedCompositionAsksBeforeItGoes_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<QString>("command"); // "new", "quit" or "close"
    QTest::addColumn<QString>("answer");  // "Cancel", "Discard", "Save", "Save cancelled",
                                          // "Save fails", or "unchanged" / "saved" (no question)
    QTest::addColumn<bool>("goes");
    QTest::newRow("mosaic New, Cancel") << true << "new"
                                        << "Cancel" << false;
    QTest::newRow("mosaic New, Discard") << true << "new"
                                         << "Discard" << true;
    QTest::newRow("mosaic Quit, Save") << true << "quit"
                                       << "Save" << true;
    QTest::newRow("mosaic close box, Save fails") << true << "close"
                                                  << "Save fails" << false;
    QTest::newRow("mosaic close box, unchanged") << true << "close"
                                                 << "unchanged" << true;
    QTest::newRow("panorama New, Save cancelled") << false << "new"
                                                  << "Save cancelled" << false;
    QTest::newRow("panorama Quit, Cancel") << false << "quit"
                                           << "Cancel" << false;
    QTest::newRow("panorama close box, Discard") << false << "close"
                                                 << "Discard" << true;
    QTest::newRow("panorama Quit, saved before") << false << "quit"
                                                 << "saved" << true;
}

void TstCompositionUndo::aChangedCompositionAsksBeforeItGoes()
{
    QFETCH(bool, mosaic);
    QFETCH(QString, command);
    QFETCH(QString, answer);
    QFETCH(bool, goes);
    Composition c(mosaic);
    int renewed = 0;
    connect(c.window.get(), &CompositionWindow::newRequested, this, [&renewed] { ++renewed; });
    if (answer != QLatin1String("unchanged")) {
        c.place(QStringLiteral("a.bmp"), 0, 0);
        QTest::mouseClick(c.window->command2(), Qt::LeftButton);
    }
    if (answer == QLatin1String("saved"))
        c.save();
    const QString written = c.app.file(QStringLiteral("kept.bmp"));
    if (answer == QLatin1String("Cancel")) {
        c.desktop.answers.push_back(Desktop::Answer::Cancel);
    } else if (answer == QLatin1String("Discard")) {
        c.desktop.answers.push_back(Desktop::Answer::Discard);
    } else if (answer.startsWith(QLatin1String("Save"))) {
        c.desktop.answers.push_back(Desktop::Answer::Save);
        if (answer == QLatin1String("Save"))
            c.desktop.saveFiles.push_back(written);
        else if (answer == QLatin1String("Save fails"))
            c.desktop.saveFiles.push_back(c.app.file(QStringLiteral("no such folder/m.bmp")));
        else
            c.desktop.saveFiles.push_back(std::nullopt);
    }
    const qsizetype messagesBefore = c.desktop.messages.size();
    if (command == QLatin1String("new"))
        c.entry("new")->trigger();
    else if (command == QLatin1String("quit"))
        c.entry("quit")->trigger();
    else
        c.window->close();

    const bool asks = answer != QLatin1String("unchanged") && answer != QLatin1String("saved");
    if (asks) {
        const Desktop::Message &question = c.desktop.messages[messagesBefore];
        QCOMPARE(question.buttons, Desktop::Buttons::SaveDiscardCancel);
        QVERIFY(
            question.text.contains(mosaic ? QStringLiteral("mosaic") : QStringLiteral("panorama")));
    } else {
        QCOMPARE(c.desktop.messages.size(), messagesBefore);
    }
    // A failed save is told as well, after the question.
    QCOMPARE(c.desktop.messages.size() - messagesBefore,
             (asks ? 1 : 0) + (answer == QLatin1String("Save fails") ? 1 : 0));
    if (command == QLatin1String("new"))
        QCOMPARE(renewed, goes ? 1 : 0);
    else
        QCOMPARE(c.window->isVisible(), !goes);
    QCOMPARE(QFileInfo::exists(written), answer == QLatin1String("Save"));
    if (answer == QLatin1String("Save"))
        QVERIFY(c.showsShot(readBack(written), 0, 0, c.shotA));
    if (!goes) // kept as it was, changes and all
        QVERIFY(c.window->isChanged() && !c.window->square(0, 0)->picture().isNull());
}

void TstCompositionUndo::savedFilesTakeTheChosenScale_data()
{
    QTest::addColumn<bool>("mosaic");
    QTest::addColumn<int>("choice"); // index of the factor in the dialog
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("written");
    QTest::newRow("mosaic 1x") << true << 0 << 4 << true;
    QTest::newRow("mosaic 3x") << true << 2 << 1 << true;
    QTest::newRow("panorama 10x") << false << 9 << 2 << true;
    // 9600 x 7200 pixels: more than the program opens.
    QTest::newRow("6 x 5 mosaic at 10x") << true << 9 << 6 << false;
}

void TstCompositionUndo::savedFilesTakeTheChosenScale()
{
    QFETCH(bool, mosaic);
    QFETCH(int, choice);
    QFETCH(int, columns);
    QFETCH(bool, written);
    Composition c(mosaic);
    c.place(QStringLiteral("a.bmp"), 0, 0);
    while (c.window->columns() < columns)
        QTest::mouseClick(c.window->command2(), Qt::LeftButton);
    while (c.window->columns() > columns)
        QTest::mouseClick(c.window->command1(), Qt::LeftButton);
    while (columns == 6 && c.window->lines() < 5)
        QTest::mouseClick(c.window->command3(), Qt::LeftButton);
    const QImage plain = c.save();
    const QString path = c.app.file(QStringLiteral("scaled.png"));
    c.desktop.saveFiles.push_back(path);
    c.desktop.saveChoices.push_back(choice);
    QCOMPARE(c.window->savepano_Click(), written);

    const Desktop::FileDialog &dialog = c.desktop.fileDialogs.last();
    QCOMPARE(dialog.choiceLabel, QStringLiteral("&Scale:"));
    QCOMPARE(dialog.choices,
             QStringList({"1x", "2x", "3x", "4x", "5x", "6x", "7x", "8x", "9x", "10x"}));
    QCOMPARE(dialog.choice, 0);
    QCOMPARE(QFileInfo::exists(path), written);
    if (!written) {
        QVERIFY(c.desktop.messages.last().text.contains(QStringLiteral("9600 x 7200")));
        return;
    }
    const int factor = choice + 1;
    const QImage scaled = readBack(path);
    QCOMPARE(scaled,
             plain.scaled(plain.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

QTEST_MAIN(TstCompositionUndo)
#include "tst_composition_undo.moc"
