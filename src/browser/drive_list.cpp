#include "drive_list.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace camvista
{

namespace
{

struct Volume {
    QString rootPath;
    QString label;
};

QList<Volume> mountedFolders()
{
    QList<Volume> volumes;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        // Containers bind single files (hosts, resolv.conf) as volumes: only folders count.
        if (!storage.isValid() || !storage.isReady() || !QFileInfo(storage.rootPath()).isDir())
            continue;
        const QString root = storage.rootPath();
        const bool seen = std::any_of(volumes.cbegin(), volumes.cend(),
                                      [&](const Volume &v) { return v.rootPath == root; });
        if (!seen)
            volumes.append({root, storage.name()});
    }
    std::sort(volumes.begin(), volumes.end(), [](const Volume &a, const Volume &b) {
        const bool aRoot = a.rootPath == QLatin1String("/");
        const bool bRoot = b.rootPath == QLatin1String("/");
        if (aRoot != bRoot)
            return aRoot;
        return a.rootPath < b.rootPath;
    });
    if (volumes.isEmpty() || volumes.first().rootPath != QLatin1String("/"))
        volumes.prepend({QStringLiteral("/"), QString()});
    return volumes;
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("Drive1"));
    refresh();
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit driveChosen(itemData(index).toString()); });
}

void DriveList::refresh()
{
    const QString current = drive();
    clear();
    for (const Volume &v : mountedFolders()) {
        const QString text =
            v.label.isEmpty() ? v.rootPath : QStringLiteral("%1 [%2]").arg(v.rootPath, v.label);
        addItem(text, v.rootPath);
        setItemData(count() - 1, text, Qt::ToolTipRole);
    }
    const int keep = findData(current);
    setCurrentIndex(keep >= 0 ? keep : 0);
    // The box is narrow; its drop-down list shows the names whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 8);
}

QString DriveList::drive() const
{
    return currentData().toString();
}

void DriveList::showDriveOf(const QString &path)
{
    const QString root = QStorageInfo(path).rootPath();
    int index = findData(root);
    if (index < 0 && !root.isEmpty()) {
        // Mounted since the list was read.
        refresh();
        index = findData(root);
    }
    if (index >= 0)
        setCurrentIndex(index);
}

} // namespace camvista
