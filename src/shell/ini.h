#pragma once

#include "platform/app_paths.h"

#include <QString>

namespace camvista
{

// The user's camera profile lives in one section of the settings file beside the executable.
inline const QString kIniSection = QStringLiteral("Camvista");
inline const QString kKeyUserId = QStringLiteral("User ID");
inline const QString kKeyName = QStringLiteral("Name");
inline const QString kKeyMonth = QStringLiteral("Month");
inline const QString kKeyDay = QStringLiteral("Day");
inline const QString kKeyYear = QStringLiteral("Year");

// The stored value, at most 254 characters; empty when the file, section or key is missing.
QString ReadIni(const AppPaths &paths, const QString &section, const QString &key);
// Stores the value; a failed write is silent and leaves the old value. Always returns "".
QString WriteIni(const AppPaths &paths, const QString &section, const QString &key,
                 const QString &value);

} // namespace camvista
