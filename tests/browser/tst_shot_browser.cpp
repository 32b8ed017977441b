#include "browser_test_support.h"

#include "data/browser_pictures.h"
#include "imaging/picture_file.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

using namespace camvista;
using namespace camvista::test;

namespace
{

const QString kBad = QStringLiteral("This picture doesn't fit the requiered size. Shots dimensions "
                                    "must be 160x144 (framed) or 128x112 (unframed)");

// What an unframed shot must become: a white 160 x 144 canvas with the shot at (16, 16).
QImage onWhiteCanvas(const QImage &shot)
{
    const QImage src = rgb32(shot);
    QImage canvas(160, 144, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 255, 255));
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x)
            canvas.setPixel(16 + x, 16 + y, src.pixel(x, y));
    }
    return canvas;
}

QImage fileAsLoaded(const QString &path)
{
    return rgb32(loadPictureFile(path).image);
}

QByteArray encoded(const QImage &image, const char *format)
{
    if (qstrcmp(format, "GIF") == 0)
        return fourColourGif(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

enum class DeleteCase { Selected, NothingSelected, AlreadyGone, ReadOnly };

} // namespace

Q_DECLARE_METATYPE(DeleteCase)
Q_DECLARE_METATYPE(Desktop::Answer)

class TstShotBrowser : public QObject
{
    Q_OBJECT

private slots:
    void opensShotsOfBothSizes_data();
    void opensShotsOfBothSizes();
    void refusesOtherSizes_data();
    void refusesOtherSizes();
    void unreadableFilesAreExplained_data();
    void unreadableFilesAreExplained();
    void singleClickPreviewsTheFile();
    void menuCaptionsNameTheCopy_data();
    void menuCaptionsNameTheCopy();
    void editorsKeepTheirOwnPictures();
    void externalFilesOpenAtTheirOwnSize_data();
    void externalFilesOpenAtTheirOwnSize();
    void cancellingTheExternalDialogOpensNothing();
    void deleteShot_data();
    void deleteShot();
    void refreshAndOpenFolder();
};

void TstShotBrowser::opensShotsOfBothSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("framed bmp") << "shot1.bmp" << QSize(160, 144) << QByteArray("BMP");
    QTest::newRow("framed png") << "framed.png" << QSize(160, 144) << QByteArray("PNG");
    QTest::newRow("framed jpeg, upper case") << "CAM.JPG" << QSize(160, 144) << QByteArray("JPG");
    QTest::newRow("unframed bmp") << "inner.bmp" << QSize(128, 112) << QByteArray("BMP");
    QTest::newRow("unframed gif") << "inner.gif" << QSize(128, 112) << QByteArray("GIF");
}

void TstShotBrowser::opensShotsOfBothSizes()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    BrowserFixture f;
    const QImage shot = fourShadeShot(size.width(), size.height(), 7);
    const QString path = f.addFile(name, encoded(shot, format.constData()));
    const QImage loaded = fileAsLoaded(path);
    QCOMPARE(loaded.size(), size);

    QVERIFY(f.doubleClick(name));

    QCOMPARE(f.desktop.messages.size(), 0);
    QCOMPARE(f.editors.size(), 1);
    EditorWindow *editor = f.editors.first();
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), name);
    QCOMPARE(editor->text1()->text(), path);
    // The saved state keeps the file as it was read, whatever its size.
    QCOMPARE(rgb32(editor->picture3()->picture()), loaded);
    const QImage expected = size == QSize(160, 144) ? loaded : onWhiteCanvas(loaded);
    QCOMPARE(rgb32(editor->picture1()->picture()), expected);
    QCOMPARE(editor->picture1()->image(), expected);
    QCOMPARE(editor->picture1()->size(), QSize(160, 144));
}

void TstShotBrowser::refusesOtherSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("one pixel too wide") << QSize(161, 144);
    QTest::newRow("one pixel too high") << QSize(160, 145);
    QTest::newRow("framed turned") << QSize(144, 160);
    QTest::newRow("unframed, one short") << QSize(128, 111);
    QTest::newRow("framed doubled") << QSize(320, 288);
    QTest::newRow("single pixel") << QSize(1, 1);
}

void TstShotBrowser::refusesOtherSizes()
{
    QFETCH(QSize, size);
    BrowserFixture f;
    f.addShot(QStringLiteral("odd.bmp"), fourShadeShot(size.width(), size.height(), 3));

    QVERIFY(f.doubleClick(QStringLiteral("odd.bmp")));

    QCOMPARE(f.editors.size(), 0);
    QCOMPARE(f.desktop.messages.size(), 1);
    const Desktop::Message &m = f.desktop.messages.first();
    QCOMPARE(m.text, kBad);
    QCOMPARE(m.title, QStringLiteral("Bad!"));
    QCOMPARE(m.icon, Desktop::Icon::Exclamation);
    QCOMPARE(m.buttons, Desktop::Buttons::Ok);
}

void TstShotBrowser::unreadableFilesAreExplained_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray bmp = encoded(fourShadeShot(160, 144, 5), "BMP");
    const QByteArray png = encoded(fourShadeShot(160, 144, 5), "PNG");
    QTest::newRow("bmp cut short") << "cut.bmp" << bmp.left(3000);
    QTest::newRow("png cut short") << "cut.png" << png.left(png.size() / 2);
    QTest::newRow("xbm text named .png")
        << "text.png"
        << QByteArray("#define t_width 8\n#define t_height 2\n"
                      "static unsigned char t_bits[] = { 0x13, 0x00 };\n");
    QTest::newRow("empty gif") << "empty.gif" << QByteArray();
    QTest::newRow("noise named .jpg") << "noise.jpg" << QByteArray(4096, '\x5a');
}

void TstShotBrowser::unreadableFilesAreExplained()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    BrowserFixture f;
    const QString path = f.addFile(name, bytes);
    const FileStatus status = loadPictureFile(path).status;
    QVERIFY(!status.ok());

    QVERIFY(f.doubleClick(name));

    QCOMPARE(f.editors.size(), 0);
    QCOMPARE(f.desktop.messages.size(), 1);
    const Desktop::Message &m = f.desktop.messages.first();
    QCOMPARE(m.text, status.message());
    QVERIFY2(m.text.contains(name), qPrintable(m.text));
    QVERIFY(m.title != QStringLiteral("Bad!"));
    // The click that came with the double click left the placeholder in the preview.
    QCOMPARE(rgb32(f.browser->preview()->picture()), rgb32(data::previewPlaceholder()));
}

void TstShotBrowser::singleClickPreviewsTheFile()
{
    BrowserFixture f;
    const QImage shot = fourShadeShot(160, 144, 11);
    f.addShot(QStringLiteral("a.bmp"), shot);
    const QImage wide = fourShadeShot(300, 200, 12);
    f.addShot(QStringLiteral("b.png"), wide);
    f.addFile(QStringLiteral("c.png"), QByteArray("not a picture"));
    PictureSurface *preview = f.browser->preview();
    QCOMPARE(rgb32(preview->picture()), rgb32(data::previewPlaceholder()));

    QVERIFY(f.click(QStringLiteral("a.bmp")));
    QCOMPARE(rgb32(preview->picture()), shot);
    QCOMPARE(preview->image(), shot);
    QVERIFY(f.click(QStringLiteral("b.png")));
    // Any size is previewed as it is; the box shows its top-left part.
    QCOMPARE(rgb32(preview->picture()), wide);
    QCOMPARE(preview->size(), QSize(160, 144));
    QCOMPARE(preview->image(), wide.copy(0, 0, 160, 144));
    QVERIFY(f.click(QStringLiteral("c.png")));
    QCOMPARE(rgb32(preview->picture()), rgb32(data::previewPlaceholder()));
    QVERIFY(!preview->toolTip().isEmpty());
    // Single clicks never pop up a message.
    QCOMPARE(f.desktop.messages.size(), 0);
    QCOMPARE(f.editors.size(), 0);
}

void TstShotBrowser::menuCaptionsNameTheCopy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("savecopy");
    QTest::addColumn<QString>("savcopy");
    QTest::addColumn<QString>("save");
    QTest::newRow("three-letter extension") << "shot1.bmp"
                                            << "Save shot1.bmp as..."
                                            << "Save a copy of shot1.bmp (shot1copy.bmp)"
                                            << "Save shot1.bmp (overwrite original)";
    QTest::newRow("four-letter extension keeps its dot")
        << "photo.jpeg"
        << "Save photo.jpeg as..."
        << "Save a copy of photo.jpeg (photo.copy.bmp)"
        << "Save photo.jpeg (overwrite original)";
    QTest::newRow("spaces and capitals") << "My Shot.GIF"
                                         << "Save My Shot.GIF as..."
                                         << "Save a copy of My Shot.GIF (My Shotcopy.bmp)"
                                         << "Save My Shot.GIF (overwrite original)";
}

void TstShotBrowser::menuCaptionsNameTheCopy()
{
    QFETCH(QString, name);
    QFETCH(QString, savecopy);
    QFETCH(QString, savcopy);
    QFETCH(QString, save);
    BrowserFixture f;
    const QByteArray format = name.endsWith(QLatin1String(".GIF")) ? "GIF" : "BMP";
    f.addFile(name, encoded(fourShadeShot(160, 144, 2), format.constData()));

    QVERIFY(f.doubleClick(name));

    QCOMPARE(f.editors.size(), 1);
    EditorWindow *editor = f.editors.first();
    QCOMPARE(editor->savecopyAction()->text(), savecopy);
    QCOMPARE(editor->savcopyAction()->text(), savcopy);
    QCOMPARE(editor->saveAction()->text(), save);
}

void TstShotBrowser::editorsKeepTheirOwnPictures()
{
    BrowserFixture f;
    const QImage first = fourShadeShot(160, 144, 21);
    const QImage second = fourShadeShot(128, 112, 22);
    f.addShot(QStringLiteral("first.bmp"), first);
    f.addShot(QStringLiteral("second.png"), second);

    QVERIFY(f.doubleClick(QStringLiteral("first.bmp")));
    QVERIFY(f.doubleClick(QStringLiteral("second.png")));

    QCOMPARE(f.editors.size(), 2);
    QVERIFY(f.editors[0] != f.editors[1]);
    QCOMPARE(f.editors[0]->windowTitle(), QStringLiteral("first.bmp"));
    QCOMPARE(f.editors[1]->windowTitle(), QStringLiteral("second.png"));
    // Drawing in one editor leaves the other alone.
    f.editors[0]->picture1()->setPixelV(20, 20, colourValue(255, 0, 0));
    QCOMPARE(f.editors[1]->picture1()->image(), onWhiteCanvas(second));
    QCOMPARE(rgb32(f.editors[1]->picture3()->picture()), second);
    // Closing one leaves the other open with its shot.
    delete f.editors[0].data();
    QVERIFY(f.editors[1]);
    QCOMPARE(f.editors[1]->picture1()->image(), onWhiteCanvas(second));
}

void TstShotBrowser::externalFilesOpenAtTheirOwnSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // empty: the editor's picture stays empty
    QTest::newRow("300 x 200 png")
        << "wide.png" << encoded(fourShadeShot(300, 200, 1), "PNG") << QSize(300, 200);
    QTest::newRow("1 x 1 gif") << "dot.gif" << encoded(fourShadeShot(1, 1, 1), "GIF")
                               << QSize(1, 1);
    QTest::newRow("a shot, unchecked")
        << "shot.bmp" << encoded(fourShadeShot(128, 112, 1), "BMP") << QSize(128, 112);
    QTest::newRow("damaged, silently empty")
        << "broken.bmp" << QByteArray("BM\x10\x00", 4) << QSize();
}

void TstShotBrowser::externalFilesOpenAtTheirOwnSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    BrowserFixture f;
    const QString path = f.app.write(QStringLiteral("elsewhere/") + name, bytes);
    f.desktop.openFiles.push_back(path);

    QTest::mouseClick(f.browser->command3(), Qt::LeftButton);

    QCOMPARE(f.desktop.fileDialogs.size(), 1);
    QCOMPARE(f.desktop.fileDialogs.first().folder, f.app.path());
    QCOMPARE(
        f.desktop.fileDialogs.first().filter,
        QStringLiteral("VUDavizi Shots (bmp, jpg, gif, png) (*.jpg *.bmp *.png *.jpeg *.gif)"));
    QCOMPARE(f.desktop.messages.size(), 0);
    QCOMPARE(f.editors.size(), 1);
    EditorWindow *editor = f.editors.first();
    const QString cap = name + QStringLiteral(" [external file]");
    QCOMPARE(editor->windowTitle(), cap);
    QCOMPARE(editor->text1()->text(), path);
    QCOMPARE(editor->savecopyAction()->text(), QStringLiteral("Save a copy of ") + cap + "...");
    QCOMPARE(editor->saveAction()->text(), QStringLiteral("Save ") + cap + " (overwrite original)");
    QCOMPARE(editor->savcopyAction()->text(), QStringLiteral("Save as a copy..."));
    QVERIFY(editor->picture3()->picture().isNull());
    if (size.isEmpty()) {
        QVERIFY(editor->picture1()->picture().isNull());
    } else {
        QCOMPARE(editor->picture1()->picture().size(), size);
        QCOMPARE(editor->picture1()->size(), size);
        QCOMPARE(rgb32(editor->picture1()->picture()), fileAsLoaded(path));
    }
}

void TstShotBrowser::cancellingTheExternalDialogOpensNothing()
{
    BrowserFixture f;
    f.desktop.openFiles.push_back(std::nullopt);
    QTest::mouseClick(f.browser->command3(), Qt::LeftButton);
    QCOMPARE(f.desktop.fileDialogs.size(), 1);
    QCOMPARE(f.editors.size(), 0);
    QCOMPARE(f.desktop.messages.size(), 0);
}

void TstShotBrowser::deleteShot_data()
{
    QTest::addColumn<DeleteCase>("kind");
    QTest::addColumn<Desktop::Answer>("answer");
    QTest::addColumn<QString>("reply"); // the message after the question; empty: none
    QTest::addColumn<bool>("fileRemains");
    QTest::addColumn<QStringList>("listAfter");
    QTest::addColumn<bool>("previewCleared");
    const QStringList both{"a.bmp", "b.bmp"};
    const QStringList onlyB{"b.bmp"};
    QTest::newRow("yes") << DeleteCase::Selected << Desktop::Answer::Yes << "Shot deleted" << false
                         << onlyB << true;
    QTest::newRow("no") << DeleteCase::Selected << Desktop::Answer::No << "" << true << both
                        << false;
    QTest::newRow("nothing selected") << DeleteCase::NothingSelected << Desktop::Answer::Yes
                                      << "No file selected." << true << both << false;
    QTest::newRow("file already gone") << DeleteCase::AlreadyGone << Desktop::Answer::Yes
                                       << "No file selected." << false << onlyB << false;
    QTest::newRow("read-only file") << DeleteCase::ReadOnly << Desktop::Answer::Yes
                                    << "No file selected." << true << both << false;
}

void TstShotBrowser::deleteShot()
{
    QFETCH(DeleteCase, kind);
    QFETCH(Desktop::Answer, answer);
    QFETCH(QString, reply);
    QFETCH(bool, fileRemains);
    QFETCH(QStringList, listAfter);
    QFETCH(bool, previewCleared);
    BrowserFixture f;
    const QImage shot = fourShadeShot(160, 144, 31);
    const QString a = f.addShot(QStringLiteral("a.bmp"), shot);
    const QString b = f.addShot(QStringLiteral("b.bmp"), fourShadeShot(160, 144, 32));
    if (kind != DeleteCase::NothingSelected) {
        QVERIFY(f.click(QStringLiteral("a.bmp")));
        QCOMPARE(rgb32(f.browser->preview()->picture()), shot);
    }
    if (kind == DeleteCase::AlreadyGone)
        QVERIFY(QFile::remove(a));
    if (kind == DeleteCase::ReadOnly) {
        QVERIFY(QFile::setPermissions(a, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ReadOther));
    }
    f.desktop.answers.push_back(answer);

    QTest::mouseClick(f.browser->command2(), Qt::LeftButton);

    QVERIFY(!f.desktop.messages.isEmpty());
    const Desktop::Message &question = f.desktop.messages.first();
    QCOMPARE(question.text, QStringLiteral("Delete the shot?"));
    QCOMPARE(question.title, QStringLiteral("Warning"));
    QCOMPARE(question.icon, Desktop::Icon::Information);
    QCOMPARE(question.buttons, Desktop::Buttons::YesNo);
    QCOMPARE(f.desktop.messages.size(), reply.isEmpty() ? 1 : 2);
    if (!reply.isEmpty()) {
        QCOMPARE(f.desktop.messages[1].text, reply);
        QCOMPARE(f.desktop.messages[1].title, QStringLiteral("Camvista"));
        QCOMPARE(f.desktop.messages[1].buttons, Desktop::Buttons::Ok);
    }
    QCOMPARE(QFileInfo::exists(a), fileRemains);
    QVERIFY(QFileInfo::exists(b));
    QCOMPARE(f.browser->file1()->fileNames(), listAfter);
    const QImage expectedPreview = previewCleared || kind == DeleteCase::NothingSelected
                                       ? rgb32(data::previewPlaceholder())
                                       : shot;
    QCOMPARE(rgb32(f.browser->preview()->picture()), expectedPreview);
    QFile::setPermissions(a, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TstShotBrowser::refreshAndOpenFolder()
{
    BrowserFixture f;
    // A file saved by someone else shows only after a refresh.
    f.app.write(QStringLiteral("VUDavizi Shots/late.bmp"),
                encoded(fourShadeShot(160, 144, 4), "BMP"));
    QVERIFY(!f.browser->file1()->fileNames().contains(QStringLiteral("late.bmp")));
    QTest::mouseClick(f.browser->command4(), Qt::LeftButton);
    QCOMPARE(f.browser->file1()->fileNames(), QStringList{QStringLiteral("late.bmp")});

    QTest::mouseClick(f.browser->command1(), Qt::LeftButton);
    QCOMPARE(f.desktop.openedFolders, QStringList{f.shots});
    QCOMPARE(f.desktop.messages.size(), 0);

    // When the desktop cannot show it, the user hears about it.
    f.desktop.servicesSucceed = false;
    QTest::mouseClick(f.browser->command1(), Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages.first().text.contains(QStringLiteral("VUDavizi Shots")));
}

QTEST_MAIN(TstShotBrowser)
#include "tst_shot_browser.moc"
