#include "editor/editor_window.h"
#include "editor/first_step_panel.h"

#include "data/frame_pictures.h"
#include "imaging/gif_writer.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/clickable_label.h"
#include "ui/file_list.h"
#include "ui/picture_surface.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

namespace
{

QImage shot(int w, int h)
{
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, shades[(x / 3 + y / 5) % 4]);
    return img;
}

QImage rgb32(const QImage &img)
{
    return img.convertToFormat(QImage::Format_RGB32);
}

// The picture with the frame's opaque pixels laid over it.
QImage framed(const QImage &picture, const QImage &frame)
{
    QImage out = rgb32(picture);
    for (int y = 0; y < qMin(out.height(), frame.height()); ++y)
        for (int x = 0; x < qMin(out.width(), frame.width()); ++x)
            if (qAlpha(frame.pixel(x, y)) == 255)
                out.setPixel(x, y, frame.pixel(x, y));
    return out;
}

struct FramedEditor {
    test::TempAppFolder app;
    FakeDesktop desktop;
    std::unique_ptr<EditorWindow> window;

    explicit FramedEditor(const QImage &picture)
    {
        QDir().mkpath(app.file("frames/default"));
        QDir().mkpath(app.file("frames/custom"));
        for (int n : {3, 5})
            QVERIFY(saveGif(data::defaultFrame(n),
                            app.file(QStringLiteral("frames/default/%1.gif").arg(n)))
                        .ok());
        QVERIFY(saveGif(data::defaultFrame(5), app.file("frames/custom/mine.gif")).ok());
        app.write("frames/custom/broken.gif", "GIF89a but nothing after");
        window = std::make_unique<EditorWindow>(desktop, app.paths());
        window->picture1()->setPicture(picture);
        window->picture3()->setPicture(picture);
    }
    FirstStepPanel *panel() { return window->firstStepPanel(); }
};

} // namespace

class TstFrames : public QObject
{
    Q_OBJECT

private slots:
    void pickersSitInTheirColumns();
    void aLaterFrameReplacesTheFirst();
    void finishingWithoutAFrameKeepsThePicture();
    void anUnframedShotGetsItsFrameExactlyAround();
    void customFramesFromTheirFolder();
    void aFrameThatCannotBeReadChangesNothing_data();
    void aFrameThatCannotBeReadChangesNothing();
};

void TstFrames::pickersSitInTheirColumns()
{
    FramedEditor e(shot(160, 144));
    for (const FirstStepPanel::Picker &p : FirstStepPanel::kPickers) {
        ClickableLabel *picker = e.panel()->findChild<ClickableLabel *>(p.control);
        QVERIFY(picker);
        QCOMPARE(picker->geometry(), QRect(p.left / 15, p.top / 15, 160, 16));
        QCOMPARE(picker->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 rgb32(data::frameStrip(p.frame)));
    }
    QCOMPARE(e.panel()->picker(21)->objectName(), QString("Image2"));
    QCOMPARE(e.panel()->picker(14)->objectName(), QString("Image4"));
}

void TstFrames::aLaterFrameReplacesTheFirst()
{
    FramedEditor e(shot(160, 144));
    QTest::mouseClick(e.panel()->findChild<ClickableLabel *>("Image7"), Qt::LeftButton); // 3.gif
    QVERIFY(e.window->frameOverlay()->isVisibleTo(e.window.get()));
    QTest::mouseClick(e.panel()->findChild<ClickableLabel *>("Image9"), Qt::LeftButton); // 5.gif
    e.window->firstcom()->click();
    const QImage expected = framed(shot(160, 144), data::defaultFrame(5));
    QCOMPARE(rgb32(e.window->picture3()->picture()), expected);
    QCOMPARE(rgb32(e.window->picture1()->picture()), expected);
    QVERIFY(e.window->frameOverlay()->isHidden());
    QVERIFY(e.desktop.messages.isEmpty());
}

void TstFrames::finishingWithoutAFrameKeepsThePicture()
{
    FramedEditor e(shot(160, 144));
    e.window->firstcom()->click();
    QCOMPARE(rgb32(e.window->picture3()->picture()), shot(160, 144));
}

void TstFrames::anUnframedShotGetsItsFrameExactlyAround()
{
    // The canvas of an unframed shot: white border, the shot at (16, 16).
    QImage canvas(160, 144, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const QImage inner = shot(128, 112);
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 128; ++x)
            canvas.setPixel(16 + x, 16 + y, inner.pixel(x, y));
    FramedEditor e(canvas);
    QVERIFY(e.panel()->layDefaultFrame(3));
    e.window->firstcom()->click();
    const QImage result = rgb32(e.window->picture3()->picture());
    QCOMPARE(result.copy(16, 16, 128, 112), inner);
    QCOMPARE(result, framed(canvas, data::defaultFrame(3)));
}

void TstFrames::customFramesFromTheirFolder()
{
    FramedEditor e(shot(160, 144));
    FileList *list = e.panel()->file2();
    QCOMPARE(list->fileNames(), (QStringList{"broken.gif", "mine.gif"}));
    QVERIFY(list->selectFile("mine.gif"));
    emit list->fileClicked();
    e.window->firstcom()->click();
    QCOMPARE(rgb32(e.window->picture3()->picture()), framed(shot(160, 144), data::defaultFrame(5)));
}

void TstFrames::aFrameThatCannotBeReadChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("missing default frame") << "missing";
    QTest::newRow("damaged custom frame") << "broken";
}

void TstFrames::aFrameThatCannotBeReadChangesNothing()
{
    QFETCH(QString, how);
    FramedEditor e(shot(160, 144));
    QVERIFY(e.panel()->layDefaultFrame(3));
    const QImage before = e.window->frameOverlay()->pixmap().toImage();
    if (how == "missing") {
        QTest::mouseClick(e.panel()->picker(12), Qt::LeftButton); // 12.gif is not there
    } else {
        QVERIFY(e.panel()->file2()->selectFile("broken.gif"));
        emit e.panel()->file2()->fileClicked();
    }
    QCOMPARE(e.desktop.messages.size(), 1);
    QVERIFY(e.desktop.messages[0].text.startsWith("This frame could not be laid"));
    QCOMPARE(e.window->frameOverlay()->pixmap().toImage(), before);
    QVERIFY(e.window->frameOverlay()->isVisibleTo(e.window.get()));
    QCOMPARE(e.window->step(), EditorWindow::Step::Frame);
}

QTEST_MAIN(TstFrames)
#include "tst_frames.moc"
