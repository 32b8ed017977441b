#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

namespace camvista
{

struct AppPaths;
class Desktop;

// Saving a picture under a name the user chooses: BMP unless the user asks for PNG. Every
// window's "save as" goes through here, so each offers the same formats, starts in the same
// folder and, where it offers a scale, the same factors.

inline const QString kBmpSaveFilter = QStringLiteral("BMP Picture (*.bmp)");
inline const QString kPngSaveFilter = QStringLiteral("PNG Picture (*.png)");
// BMP first: it is what the dialog starts with.
inline const QString kPictureSaveFilters = kBmpSaveFilter + QStringLiteral(";;") + kPngSaveFilter;

// The folder the last save went to lives in a section of its own in the settings file.
inline const QString kSaveAsSection = QStringLiteral("Save As");
inline const QString kKeyLastFolder = QStringLiteral("Last folder");

// The whole factors a save dialog offers, nearest neighbour: each pixel an N x N block.
inline constexpr int kMaxSaveScale = 10;
inline const QString kSaveScaleLabel = QStringLiteral("&Scale:");

enum class PictureFormat { Bmp, Png };
// Whether the dialog offers the scale factors 1x to 10x for the saved picture.
enum class SaveScale { Offered, None };

struct SaveTarget {
    QString path;
    PictureFormat format = PictureFormat::Bmp;
    int scale = 1;
    bool operator==(const SaveTarget &) const = default;
};

// Where and how a name typed in the save dialog is written. The bytes always match a ".bmp" or
// ".png" the user typed (in any case), whichever filter is selected: "house.png" is PNG and
// "house.bmp" is BMP even under the other filter. A name without an extension gets the
// selected filter's one ("house" or "house." is "house.bmp", or "house.png" under the PNG
// filter). Any
// other extension ("house.v2") keeps the name as typed, in the selected filter's format.
SaveTarget saveTargetOf(const QString &typedPath, const QString &selectedFilter);

// Where a save dialog starts: the folder the user last saved to, remembered across runs, or
// the shots folder at first and whenever that folder is gone.
QString saveAsStartFolder(const AppPaths &paths);
// Remembers the folder of a file just written, for the next save dialog. Silent when the
// settings file cannot be written.
void rememberSaveFolder(const AppPaths &paths, const QString &savedFile);

// Asks for a file to write ("BMP Picture (*.bmp)" first, "PNG Picture (*.png)" second, and the
// scale factors when offered, 1x selected), starting in `folder`. Nothing when the user
// cancelled.
std::optional<SaveTarget> askPictureFileName(QWidget *parent, Desktop &desktop,
                                             const QString &folder, const QString &caption = {},
                                             SaveScale scale = SaveScale::None);

// Writes the picture, enlarged by the target's factor, through the safe writer; a failure (or
// an enlargement too large to open again) is told in plain words and leaves the file that
// stood there as it was. True when the whole file is on disk.
bool writePictureOrTell(QWidget *parent, Desktop &desktop, const QImage &picture,
                        const SaveTarget &target);

// Asks for a name in the remembered folder, then writes the picture there and remembers that
// folder. Cancelling is silent. True when the whole file is on disk.
bool savePictureAs(QWidget *parent, Desktop &desktop, const QImage &picture, const AppPaths &paths,
                   SaveScale scale, const QString &caption = {});

} // namespace camvista
