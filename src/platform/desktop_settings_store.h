#pragma once

#include "imaging/picture_file.h"

#include <QString>

#include <optional>

namespace camvista
{

// The desktop settings store where the system has no registry: one JSON file holding, for each
// key path, its string values by name, with every text kept exactly. A file that is not such a
// store is left alone and the write refused, so nothing that stood there is lost.
FileStatus writeStoredSetting(const QString &storeFile, const QString &keyPath,
                              const QString &valueName, const QString &value);
// The value, or nothing when the store, the key or the value is missing.
std::optional<QString> readStoredSetting(const QString &storeFile, const QString &keyPath,
                                         const QString &valueName);

} // namespace camvista
