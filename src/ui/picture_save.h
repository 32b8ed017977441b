#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

namespace camvista
{

class Desktop;

// Saving a picture under a name the user chooses: BMP unless the user asks for PNG. Every
// window's "save as" goes through here, so each offers the same formats.

inline const QString kBmpSaveFilter = QStringLiteral("BMP Picture (*.bmp)");
inline const QString kPngSaveFilter = QStringLiteral("PNG Picture (*.png)");
// BMP first: it is what the dialog starts with.
inline const QString kPictureSaveFilters = kBmpSaveFilter + QStringLiteral(";;") + kPngSaveFilter;

enum class PictureFormat { Bmp, Png };

struct SaveTarget {
    QString path;
    PictureFormat format = PictureFormat::Bmp;
    bool operator==(const SaveTarget &) const = default;
};

// Where and how a name typed in the save dialog is written. The bytes always match a ".bmp" or
// ".png" the user typed (in any case), whichever filter is selected: "house.png" is PNG and
// "house.bmp" is BMP even under the other filter. A name without an extension gets the
// selected filter's one ("house" or "house." is "house.bmp", or "house.png" under the PNG
// filter). Any
// other extension ("house.v2") keeps the name as typed, in the selected filter's format.
SaveTarget saveTargetOf(const QString &typedPath, const QString &selectedFilter);

// Asks for a file to write ("BMP Picture (*.bmp)" first, "PNG Picture (*.png)" second),
// starting in `folder`. Nothing when the user cancelled.
std::optional<SaveTarget> askPictureFileName(QWidget *parent, Desktop &desktop,
                                             const QString &folder, const QString &caption = {});

// Writes the picture through the safe writer; a failure is told in plain words and leaves the
// file that stood there as it was. True when the whole file is on disk.
bool writePictureOrTell(QWidget *parent, Desktop &desktop, const QImage &picture,
                        const SaveTarget &target);

// Asks for a name, then writes the picture there. Cancelling is silent. True when the whole
// file is on disk.
bool savePictureAs(QWidget *parent, Desktop &desktop, const QImage &picture, const QString &folder,
                   const QString &caption = {});

} // namespace camvista
