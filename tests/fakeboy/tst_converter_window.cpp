#include "fakeboy/converter_window.h"

#include "browser/browser_window.h"
#include "data/converter_pictures.h"
#include "imaging/picture_file.h"
#include "platform/fake_desktop.h"
#include "shell/main_window.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

using namespace camvista;
using namespace camvista::test;

namespace
{

constexpr QRgb kShades[] = {0xFF000000, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF};

QImage smoothPhotograph(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

// A small drawing: black outlines on white with a grey disc.
QImage drawing(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < size; ++i) {
        image.setPixel(i, i, qRgb(0, 0, 0));
        image.setPixel(i, size / 2, qRgb(0, 0, 0));
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((x - 30) * (x - 30) + (y - 60) * (y - 60) < 200)
                image.setPixel(x, y, qRgb(120, 120, 120));
    return image;
}

QImage flat(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The inner picture holds only the shot shades and the 16-pixel border is white.
void checkShot(const QImage &shot)
{
    QCOMPARE(shot.size(), QSize(160, 144));
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x) {
            const QRgb px = shot.pixel(x, y) | 0xFF000000;
            if (x < 16 || y < 16 || x >= 144 || y >= 128) {
                QCOMPARE(px, 0xFFFFFFFFu);
            } else {
                QVERIFY2(std::find(std::begin(kShades), std::end(kShades), px) != std::end(kShades),
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(px, 0, 16).arg(x).arg(y)));
            }
        }
}

struct Converter {
    Converter() : window(desktop, app.paths()) {}

    // Picks `path` in the open dialog and presses "Load a pic to VODudero!".
    void load(const QString &path)
    {
        desktop.openFiles.push_back(path);
        QTest::mouseClick(window.command3(), Qt::LeftButton);
    }
    QString write(const QString &name, const QImage &image, const char *format = "PNG")
    {
        const QString path = app.file(name);
        if (!image.save(path, format))
            qFatal("cannot save %s", qPrintable(path));
        return path;
    }
    QImage shown() const { return rgb32(window.picture1()->image()); }

    TempAppFolder app;
    FakeDesktop desktop;
    ConverterWindow window;
};

} // namespace

class TstConverterWindow : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void conversionGivesAShot_data();
    void conversionGivesAShot();
    void flatGreyGivesTheDitherPattern();
    void cancelledOpenChangesNothing_data();
    void cancelledOpenChangesNothing();
    void failedConversionIsTold();
    void clickDuringConversionIsDropped();
    void saving_data();
    void saving();
    void toolbarOpensOneWindow();
};

void TstConverterWindow::layout()
{
    Converter c;
    ConverterWindow &w = c.window;
    QCOMPARE(w.objectName(), QStringLiteral("Form1"));
    QCOMPARE(w.windowTitle(), QStringLiteral("DuduRed Idarer"));
    QCOMPARE(w.centralWidget()->size(), ConverterWindow::kClientSize);
    QCOMPARE(w.picture1()->geometry(), QRect(80, 40, 160, 144));
    QCOMPARE(w.command3()->geometry(), QRect(0, 224, 318, 25));
    QCOMPARE(w.command3()->text(), QStringLiteral("Load a pic to VODudero!"));
    QCOMPARE(w.saveAction()->text(), QStringLiteral("Save generated shot as..."));
    QCOMPARE(w.picOriginal()->size(), QSize(128, 112));
    QCOMPARE(w.picResult()->size(), QSize(128, 112));
    QVERIFY(!w.picOriginal()->isVisibleTo(&w));
    QCOMPARE(rgb32(w.picture1()->picture()), data::converterSampleShot());
    QVERIFY(!w.temporaryPath().isEmpty());
    QCOMPARE(ConverterWindow::openPosition(161), QPoint(168, 3)); // 100 and 50 twips
}

void TstConverterWindow::conversionGivesAShot_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QPoint>("white"); // an inner pixel the picture has white, if any
    QTest::newRow("640 x 480 photograph") << smoothPhotograph(640, 480) << QByteArray("JPEG") << QPoint();
    QTest::newRow("100 x 100 drawing") << drawing(100) << QByteArray("PNG") << QPoint(120, 10);
    QTest::newRow("90 x 700 BMP") << smoothPhotograph(90, 700) << QByteArray("BMP") << QPoint();
}

void TstConverterWindow::conversionGivesAShot()
{
    QFETCH(QImage, picture);
    QFETCH(QByteArray, format);
    QFETCH(QPoint, white);
    Converter c;
    c.load(c.write(QStringLiteral("in.") + QString::fromLatin1(format).toLower(), picture,
                   format.constData()));
    QVERIFY(c.desktop.messages.isEmpty());
    QCOMPARE(c.desktop.fileDialogs.size(), 1);
    QCOMPARE(c.desktop.fileDialogs[0].folder, c.app.path());
    QCOMPARE(c.desktop.fileDialogs[0].filter, kConverterOpenFilter);
    QVERIFY(!QApplication::overrideCursor()); // the hourglass is gone again
    checkShot(c.shown());
    // The stored picture is the new shot too, border and all (middle greys not yet moved).
    QCOMPARE(c.window.picture1()->picture().size(), QSize(160, 144));
    QCOMPARE(rgb32(c.window.picResult()->image()).size(), QSize(128, 112));
    if (!white.isNull())
        QCOMPARE(c.shown().pixel(white + QPoint(16, 16)), kShades[3]);
}

void TstConverterWindow::flatGreyGivesTheDitherPattern()
{
    // Grey 128 lies half way between 85 and 170: the matrix gives a checkerboard of the two,
    // 170 on its even cells, and the shot shades take their place.
    Converter c;
    c.load(c.write(QStringLiteral("grey.png"), flat({640, 480}, qRgb(128, 128, 128))));
    const QImage shot = c.shown();
    checkShot(shot);
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 128; ++x)
            QCOMPARE(shot.pixel(16 + x, 16 + y), (x + y) % 2 ? kShades[1] : kShades[2]);
}

void TstConverterWindow::cancelledOpenChangesNothing_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("cancel") << false;
    QTest::newRow("an unreadable file") << true;
}

void TstConverterWindow::cancelledOpenChangesNothing()
{
    QFETCH(bool, unreadable);
    Converter c;
    c.load(c.write(QStringLiteral("first.png"), smoothPhotograph(200, 200)));
    const QImage before = c.shown();
    const QImage stored = c.window.picture1()->picture();
    const QString temp = c.window.temporaryPath();
    const QDateTime written = QFileInfo(temp).lastModified();
    c.desktop.messages.clear();

    if (unreadable) {
        c.load(c.app.write(QStringLiteral("broken.png"), QByteArray("not a picture at all")));
        QCOMPARE(c.desktop.messages.size(), 1);
        QCOMPARE(c.desktop.messages[0].icon, Desktop::Icon::Exclamation);
        QVERIFY(c.desktop.messages[0].text.contains(QStringLiteral("broken.png")));
    } else {
        QTest::mouseClick(c.window.command3(), Qt::LeftButton); // the fake cancels
        QVERIFY(c.desktop.messages.isEmpty());
    }
    QCOMPARE(c.shown(), before);
    QCOMPARE(c.window.picture1()->picture(), stored);
    QCOMPARE(QFileInfo(temp).lastModified(), written);
}

void TstConverterWindow::failedConversionIsTold()
{
    Converter c;
    c.load(c.write(QStringLiteral("a.png"), smoothPhotograph(300, 300)));
    const QImage result = rgb32(c.window.picResult()->image());
    // The temporary file cannot be written once a folder stands in its place.
    const QString temp = c.window.temporaryPath();
    QVERIFY(QFile::remove(temp));
    QVERIFY(QDir().mkdir(temp));
    c.load(c.write(QStringLiteral("b.png"), flat({300, 300}, qRgb(0, 0, 0))));
    QDir().rmdir(temp);
    QCOMPARE(c.desktop.messages.size(), 1);
    QCOMPARE(c.desktop.messages[0].text,
             QStringLiteral("Something has gone wrong, rcOK was not True\r\nCheck that your most "
                            "recent code change didnt break something"));
    QCOMPARE(c.desktop.messages[0].buttons, Desktop::Buttons::Ok);
    QVERIFY(!QApplication::overrideCursor());
    // The shot is rebuilt from what the result surface still held.
    QCOMPARE(rgb32(c.window.picResult()->image()), result);
    checkShot(c.shown());
}

void TstConverterWindow::clickDuringConversionIsDropped()
{
    Converter c;
    c.desktop.openFiles.push_back(c.write(QStringLiteral("first.png"), smoothPhotograph(300, 300)));
    c.desktop.openFiles.push_back(c.write(QStringLiteral("second.png"), flat({50, 50}, 0)));
    // A click that waits in the queue is delivered while the conversion lets events run.
    QMetaObject::invokeMethod(c.window.command3(), &QPushButton::click, Qt::QueuedConnection);
    QTest::mouseClick(c.window.command3(), Qt::LeftButton);
    QCOMPARE(c.desktop.fileDialogs.size(), 1);
    QCOMPARE(c.desktop.openFiles.size(), std::size_t(1));
    QVERIFY(c.shown().copy(16, 16, 128, 112) != flat({128, 112}, kShades[0]));
}

void TstConverterWindow::saving_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the folder; empty: cancel
    QTest::addColumn<QString>("filter"); // the one the user selects; empty: the default
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("format"); // of the written file
    QTest::addColumn<bool>("told");
    const QString png = kPngSaveFilter;
    QTest::newRow("a name") << "shot.bmp"
                            << ""
                            << "shot.bmp"
                            << "bmp" << false;
    QTest::newRow("no extension") << "shot"
                                  << ""
                                  << "shot.bmp"
                                  << "bmp" << false;
    QTest::newRow("PNG, no extension") << "shot" << png << "shot.png"
                                       << "png" << false;
    QTest::newRow("PNG, a png name") << "shot.png" << png << "shot.png"
                                     << "png" << false;
    QTest::newRow("cancel") << ""
                            << ""
                            << ""
                            << "" << false;
    QTest::newRow("a missing folder") << "gone/shot.bmp"
                                      << ""
                                      << ""
                                      << "" << true;
    QTest::newRow("PNG, a missing folder") << "gone/shot" << png << ""
                                           << "" << true;
}

void TstConverterWindow::saving()
{
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(QString, format);
    QFETCH(bool, told);
    Converter c;
    c.load(c.write(QStringLiteral("in.png"), smoothPhotograph(640, 480)));
    const QImage shot = c.shown();
    const QStringList before =
        QDir(c.app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    c.desktop.messages.clear();
    c.desktop.fileDialogs.clear();
    if (!chosen.isEmpty())
        c.desktop.saveFiles.push_back(c.app.file(chosen));
    c.desktop.saveFilters.push_back(filter);
    c.window.saveAction()->trigger();

    QCOMPARE(c.desktop.fileDialogs.size(), 1);
    QCOMPARE(c.desktop.fileDialogs[0].filter,
             QStringLiteral("BMP Picture (*.bmp);;PNG Picture (*.png)"));
    // The commit comes first: the clipboard holds the result whatever the dialog gives.
    QCOMPARE(rgb32(c.desktop.clipboard), shot);
    QCOMPARE(rgb32(c.window.picture1()->picture()), shot);
    QCOMPARE(c.desktop.messages.size(), told ? 1 : 0);
    if (written.isEmpty()) {
        QCOMPARE(QDir(c.app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        return;
    }
    QCOMPARE(fileFormatOf(c.app.file(written)), format);
    const PictureLoad saved = loadPictureFile(c.app.file(written));
    QVERIFY(saved.ok());
    QCOMPARE(rgb32(saved.image), shot);
}

void TstConverterWindow::toolbarOpensOneWindow()
{
    TempAppFolder app;
    FakeDesktop desktop;
    MainWindow main(desktop, app.paths());
    main.show();
    main.toolbarAction(QStringLiteral("DuduRed Idarer"))->trigger();
    auto *form = main.findChild<ConverterWindow *>(QStringLiteral("Form1"));
    QVERIFY(form);
    auto *child = qobject_cast<QMdiSubWindow *>(form->parentWidget());
    QVERIFY(child);
    QCOMPARE(child->pos(), ConverterWindow::openPosition(main.browser()->width()));
    main.Toolbar1_ButtonClick(QStringLiteral("DuduRed Idarer"));
    QCOMPARE(main.findChildren<ConverterWindow *>().size(), 1);
}

QTEST_MAIN(TstConverterWindow)
#include "tst_converter_window.moc"
