#pragma once

#include "imaging/picture_file.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"
#include "tools/shot_picker.h"
#include "ui/file_list.h"
#include "ui/shot_drag.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace camvista::test
{

// A shots folder with two framed shots, an unframed one and a file that is no picture.
struct ShotsFolder {
    TempAppFolder app;
    FakeDesktop desktop;
    QImage shotA = fourShadeShot(160, 144, 11);
    QImage shotB = fourShadeShot(160, 144, 22);
    QImage unframed = fourShadeShot(128, 112, 33);

    ShotsFolder()
    {
        QDir().mkpath(app.paths().shotsFolder());
        savePictureBmp(shotA, shot(QStringLiteral("a.bmp")));
        savePictureBmp(shotB, shot(QStringLiteral("b.bmp")));
        savePictureBmp(unframed, shot(QStringLiteral("small.bmp")));
        app.write(QStringLiteral("VUDavizi Shots/broken.bmp"), "not a picture at all");
    }
    QString shot(const QString &name) const
    {
        return QDir(app.paths().shotsFolder()).filePath(name);
    }
};

// Clicks a file of the list as the user would.
inline void clickFile(FileList *list, const QString &name)
{
    QListWidgetItem *item = nullptr;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == name)
            item = list->item(row);
    }
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Sends a whole drag and drop, enter to drop, to the widget; true when the drop was accepted.
inline bool dropOn(QWidget *target, QMimeData *data)
{
    std::unique_ptr<QMimeData> owned(data);
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// A drag of the selected file from the picker's list, dropped on the target.
inline bool dragFromList(ShotPicker *picker, QWidget *target)
{
    return dropOn(target, picker->file1()->dragData());
}

// A file dropped from the desktop's file manager.
inline QMimeData *fileManagerDrop(const QString &path)
{
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

inline bool isFlat(const QImage &image, const QRect &area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF))
                return false;
    return true;
}

inline QImage readBack(const QString &path)
{
    return rgb32(loadPictureFile(path).image);
}

} // namespace camvista::test
