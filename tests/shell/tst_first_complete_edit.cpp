// From the browser to a saved BMP: the whole first edit, clicking the real widgets.

#include "shell/main_window.h"

#include "browser/browser_window.h"
#include "data/frame_pictures.h"
#include "editor/editor_window.h"
#include "editor/first_step_panel.h"
#include "editor/output_panel.h"
#include "imaging/gif_writer.h"
#include "platform/fake_desktop.h"
#include "support/menu_text.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"
#include "ui/file_list.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

namespace
{

QImage unframedShot()
{
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    QImage img(128, 112, QImage::Format_RGB32);
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 128; ++x)
            img.setPixel(x, y, shades[(x * x + 3 * y) % 4]);
    return img;
}

// The fourth step shows the picture through the gamma table even at gamma 1, where every odd
// value from 1 to 253 moves one up (an exact half rounds to the even neighbour).
QRgb throughGammaOne(QRgb c)
{
    const auto up = [](int v) { return v % 2 == 1 && v <= 253 ? v + 1 : v; };
    return qRgb(up(qRed(c)), up(qGreen(c)), up(qBlue(c)));
}

QRgb gameBoyMono(QRgb shade)
{
    switch (shade & 0xFFFFFF) {
    case 0xFFFFFF:
        return qRgb(155, 188, 15);
    case 0xC0C0C0:
        return qRgb(139, 172, 15);
    case 0x808080:
        return qRgb(48, 98, 48);
    case 0x000000:
        return qRgb(15, 56, 15);
    }
    return shade;
}

quint32 le32(const QByteArray &b, int at)
{
    return quint8(b[at]) | quint8(b[at + 1]) << 8 | quint8(b[at + 2]) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}

void click(QWidget *widget)
{
    QVERIFY(widget);
    QVERIFY(widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton);
}

} // namespace

class TstFirstCompleteEdit : public QObject
{
    Q_OBJECT

private slots:
    void fromTheBrowserToASavedCopy();
};

void TstFirstCompleteEdit::fromTheBrowserToASavedCopy()
{
    test::TempAppFolder app;
    QVERIFY(QDir().mkpath(app.file("frames/default")));
    QVERIFY(saveGif(data::defaultFrame(3), app.file("frames/default/3.gif")).ok());
    QVERIFY(QDir().mkpath(app.file("VUDavizi Shots")));
    QVERIFY(unframedShot().save(app.file("VUDavizi Shots/shot1.bmp")));

    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.resize(1100, 800); // room for the whole browser and editor
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Open the shot from the list.
    BrowserWindow *browser = w.browser();
    QVERIFY(browser->file1()->selectFile("shot1.bmp"));
    const QRect item = browser->file1()->visualItemRect(browser->file1()->currentItem());
    // A double click as the system delivers it: press, release, double click, release.
    QWidget *list = browser->file1()->viewport();
    QTest::mousePress(list, Qt::LeftButton, {}, item.center());
    QTest::mouseRelease(list, Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list, Qt::LeftButton, {}, item.center());
    QTest::mouseRelease(list, Qt::LeftButton, {}, item.center());
    const QList<EditorWindow *> editors = w.findChildren<EditorWindow *>();
    QCOMPARE(editors.size(), 1);
    EditorWindow *editor = editors.front();
    QTRY_VERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), QString("shot1.bmp"));

    // Frame 3, then through the steps, with Game Boy Mono in the third.
    click(editor->firstStepPanel()->picker(3));
    click(editor->firstcom());
    click(editor->scdcom());
    click(editor->thirdstep()->findChild<QAbstractButton *>("Command1"));
    click(editor->thirdcom());
    const QSize browserSize = browser->size();
    click(editor->command7());
    QCOMPARE(editor->step(), EditorWindow::Step::Output);
    // The editor's frame in the workspace grew to 9945 twips across, and stays fixed.
    QWidget *editorFrame = editor->parentWidget();
    QCOMPARE(editorFrame->width(), 663);
    QCOMPARE(editorFrame->minimumSize(), editorFrame->maximumSize());
    QCOMPARE(browser->size(), browserSize);
    click(editor->outputPanel()->factorButton(2));

    // Save a copy from the menu bar, as the user does.
    QAction *copy = nullptr;
    for (QAction *a : w.menuBar()->actions())
        if (a->objectName() == "savcopy")
            copy = a;
    QVERIFY(copy);
    QCOMPARE(test::shownMenuText(copy->text()),
             QString("Save a copy of shot1.bmp (shot1copy.bmp)"));
    copy->trigger();
    const QString copyPath = app.file("VUDavizi Shots/shot1copy.bmp");
    QCOMPARE(desktop.messages.last().text, "Saved as " + copyPath);
    QVERIFY(browser->file1()->fileNames().contains("shot1copy.bmp")); // the list was refreshed

    // The file, byte by byte: a 24-bit BMP of 320 x 288, each pixel a 2 x 2 block of the
    // framed, recoloured shot.
    QFile file(copyPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    const int offset = int(le32(bytes, 10));
    QCOMPARE(int(le32(bytes, 18)), 320);
    QCOMPARE(int(le32(bytes, 22)), 288);
    QCOMPARE(quint8(bytes[28]), quint8(24));
    QCOMPARE(bytes.size(), offset + 320 * 3 * 288);

    const QImage frame = data::defaultFrame(3);
    const QImage inner = unframedShot();
    for (int y = 0; y < 288; ++y) {
        const char *row = bytes.constData() + offset + (287 - y) * 320 * 3;
        for (int x = 0; x < 320; ++x) {
            const int sx = x / 2;
            const int sy = y / 2;
            QRgb grey;
            if (qAlpha(frame.pixel(sx, sy)) == 255)
                grey = frame.pixel(sx, sy);
            else if (sx >= 16 && sx < 144 && sy >= 16 && sy < 128)
                grey = inner.pixel(sx - 16, sy - 16);
            else
                grey = qRgb(255, 255, 255); // the canvas of an unframed shot
            const QRgb expected = throughGammaOne(gameBoyMono(grey));
            const QRgb actual =
                qRgb(quint8(row[3 * x + 2]), quint8(row[3 * x + 1]), quint8(row[3 * x]));
            if (actual != expected)
                QFAIL(qPrintable(QString("pixel %1,%2 is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(actual, 0, 16)
                                     .arg(expected, 0, 16)));
        }
    }
}

QTEST_MAIN(TstFirstCompleteEdit)
#include "tst_first_complete_edit.moc"
