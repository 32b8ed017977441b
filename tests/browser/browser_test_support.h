#pragma once

#include "browser/browser_window.h"
#include "editor/editor_window.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"
#include "ui/file_list.h"

#include <QDir>
#include <QImage>
#include <QPointer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace camvista::test
{

// Qt writes no GIF, so tests make their own: a palette of the picture's first four colours
// (other colours become colour 0) and LZW codes kept at 3 bits by a clear code before every
// second pixel.
inline QByteArray fourColourGif(const QImage &picture)
{
    const QImage img = rgb32(picture);
    QList<QRgb> palette;
    QByteArray out("GIF89a");
    const auto word = [&out](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width() && palette.size() < 4; ++x) {
            if (!palette.contains(img.pixel(x, y)))
                palette.append(img.pixel(x, y));
        }
    }
    while (palette.size() < 4)
        palette.append(qRgb(0, 0, 0));
    word(img.width());
    word(img.height());
    out.append(char(0x81)); // global colour table of 4 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(',');
    word(0);
    word(0);
    word(img.width());
    word(img.height());
    out.append(char(0));
    out.append(char(2)); // minimum code size

    QByteArray codes;
    quint32 bits = 0;
    int bitCount = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x, ++n) {
            if (n % 2 == 0)
                put(4); // clear
            put(std::max<int>(0, int(palette.indexOf(img.pixel(x, y)))));
        }
    }
    put(5); // end
    if (bitCount > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}

// A double click as the window system delivers it: press, release, double click, release.
inline void doubleClickAt(QWidget *widget, const QPoint &at)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// A browser on a temporary application folder with a fake desktop, shown so that its lists
// can be clicked. Every editor it makes is collected in `editors`.
class BrowserFixture
{
public:
    BrowserFixture()
    {
        shots = app.file(QStringLiteral("VUDavizi Shots"));
        QDir().mkpath(shots);
        browser = std::make_unique<BrowserWindow>(desktop, app.paths());
        QObject::connect(browser.get(), &BrowserWindow::editorCreated, browser.get(),
                         [this](EditorWindow *editor) { editors.append(editor); });
        browser->setFolder(shots);
        browser->resize(BrowserWindow::kClientWidth, 700);
        browser->show();
        if (!QTest::qWaitForWindowExposed(browser.get()))
            qWarning("the browser was not exposed");
    }

    // Saves a picture into the shots folder, lists it and gives its full path.
    QString addShot(const QString &name, const QImage &image, const char *format = nullptr)
    {
        const QString path = QDir(shots).filePath(name);
        if (!image.save(path, format))
            qFatal("cannot save test picture %s", qPrintable(path));
        browser->file1()->refresh();
        return path;
    }
    QString addFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = app.write(QStringLiteral("VUDavizi Shots/") + name, bytes);
        browser->file1()->refresh();
        return path;
    }

    // Clicks the list entry of `name` as the user would; false when it is not listed.
    bool click(const QString &name) { return clickItem(name, false); }
    bool doubleClick(const QString &name) { return clickItem(name, true); }

    TempAppFolder app;
    FakeDesktop desktop;
    QString shots;
    std::unique_ptr<BrowserWindow> browser;
    QList<QPointer<EditorWindow>> editors;

private:
    bool clickItem(const QString &name, bool twice)
    {
        FileList *list = browser->file1();
        const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        list->scrollToItem(found.first());
        const QPoint at = list->visualItemRect(found.first()).center();
        if (twice)
            doubleClickAt(list->viewport(), at);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        return true;
    }
};

} // namespace camvista::test
