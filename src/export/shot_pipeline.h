#pragma once

#include "export_options.h"

#include "colour/replacement.h"

#include <QImage>
#include <QString>

#include <span>

namespace camvista
{
struct AppPaths;
}

namespace camvista::exporting
{

// The options with what they name looked up once for the whole export: the frame read from its
// file, the palette's passes.
struct PreparedExport {
    ExportOptions options;
    QImage frame; // for a frame laid; null otherwise
    std::span<const ColourPass> passes;
};

// Checks the options and reads what they name. Empty on success; otherwise one sentence (an
// unknown palette, a frame that is missing or cannot be read, ...).
QString prepareExport(const ExportOptions &options, const AppPaths &paths, PreparedExport &out);

// The editor's steps on one picture: the frame (first step), the palette (third), the gamma
// (fourth), before any enlargement. The picture must be a shot (see shotError).
QImage exportedPicture(const QImage &shot, const PreparedExport &prepared);

// A photo (128 x 112) among framed shots in one animation: on the editor's white canvas, that
// white recoloured as the options recolour it. Any other picture is returned as it is.
QImage photoOnCanvas(const QImage &exported, const PreparedExport &prepared);

// Why a loaded picture cannot be exported as a shot, or empty when it can.
QString shotError(const QImage &picture);

struct ShotResult {
    QImage picture; // exportedPicture of the file; null when `reason` says why not
    QString reason;
};

// Reads a file through the program's loader and runs exportedPicture on it.
ShotResult exportedShot(const QString &path, const PreparedExport &prepared);

// The finished file for one shot: the picture enlarged and encoded in the options' format
// (PNG indexed when the colours allow). `pixels` receives the enlarged picture as written, for
// comparing with a file that is already there. Empty bytes, with `error`, on failure.
QByteArray encodedShot(const QImage &picture, const ExportOptions &options, QImage &pixels,
                       QString &error);

} // namespace camvista::exporting
