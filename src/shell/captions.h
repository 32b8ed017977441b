#pragma once

#include <QString>

namespace camvista
{

// "Camvista v.7.0.3", and the short form "Camvista v.7.0" that the User ID dialog writes.
QString versionCaption();
QString shortVersionCaption();
// The main window's caption: version text + " - Welcome, GC-" + User ID + " !".
QString welcomeCaption(const QString &versionText, const QString &userId);

} // namespace camvista
