#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

namespace camvista
{

class Desktop;

// Asks for the name of a BMP file to write ("BMP Picture (*.bmp)"), starting in `folder`; a name
// without an extension gets ".bmp". Nothing when the user cancelled.
std::optional<QString> askBmpFileName(QWidget *parent, Desktop &desktop, const QString &folder,
                                      const QString &caption = {});

// Writes the picture as a BMP file through the safe writer; a failure is told in plain words.
// True when the whole file is on disk.
bool writeBmpOrTell(QWidget *parent, Desktop &desktop, const QImage &picture, const QString &path);

} // namespace camvista
