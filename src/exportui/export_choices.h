#pragma once

#include "export/export_options.h"

#include <QRgb>
#include <QString>

#include <array>

namespace camvista
{

struct AppPaths;

// The export dialog's last choices live in a section of their own in the settings file, apart
// from the user's profile.
inline const QString kExportSection = QStringLiteral("Export");

struct ExportChoices {
    exporting::ExportOptions options;
    // White, light grey, dark grey, black: the custom colours, kept while a named palette is
    // chosen so the next custom export starts from them.
    std::array<QRgb, 4> customColours{0xFFFFFFFFu, 0xFFC0C0C0u, 0xFF808080u, 0xFF000000u};
};

// The remembered choices; what is missing or makes no sense takes its default, and the
// destination defaults to "Exports" in the shots folder.
ExportChoices readExportChoices(const AppPaths &paths);
// False when the settings file could not be written; the old choices then stay.
bool writeExportChoices(const AppPaths &paths, const ExportChoices &choices);

} // namespace camvista
