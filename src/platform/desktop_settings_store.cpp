#include "desktop_settings_store.h"

#include "imaging/safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace camvista
{

namespace
{

// A store far larger than a few settings is not ours: refuse it rather than read it whole.
constexpr qint64 kMaxStoreBytes = 1024 * 1024;

struct StoreRead {
    QJsonObject keys;
    FileStatus status;
};

StoreRead readStore(const QString &storeFile)
{
    StoreRead read;
    read.status.path = storeFile;
    const QFileInfo info(storeFile);
    if (!info.exists())
        return read; // a fresh store
    if (!info.isFile()) {
        read.status.error = FileError::NotAFile;
        return read;
    }
    QFile file(storeFile);
    if (info.size() > kMaxStoreBytes) {
        read.status.error = FileError::Damaged;
        return read;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        read.status.error = FileError::Unreadable;
        read.status.detail = file.errorString();
        return read;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        read.status.error = FileError::Damaged;
        return read;
    }
    read.keys = document.object();
    return read;
}

} // namespace

FileStatus writeStoredSetting(const QString &storeFile, const QString &keyPath,
                              const QString &valueName, const QString &value)
{
    StoreRead read = readStore(storeFile);
    if (!read.status.ok())
        return read.status;
    QJsonObject values = read.keys.value(keyPath).toObject();
    values.insert(valueName, value);
    read.keys.insert(keyPath, values);
    QDir().mkpath(QFileInfo(storeFile).absolutePath());
    return writeFileSafely(storeFile, QJsonDocument(read.keys).toJson(QJsonDocument::Indented));
}

std::optional<QString> readStoredSetting(const QString &storeFile, const QString &keyPath,
                                         const QString &valueName)
{
    const StoreRead read = readStore(storeFile);
    const QJsonValue value = read.keys.value(keyPath).toObject().value(valueName);
    if (!read.status.ok() || !value.isString())
        return std::nullopt;
    return value.toString();
}

} // namespace camvista
