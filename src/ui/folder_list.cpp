#include "ui/folder_list.h"

#include "ui/folder_watcher.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

namespace camvista
{

namespace
{

constexpr int kPathRole = Qt::UserRole;

QString cleanFolder(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QStringList subfoldersOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

bool isOpenableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace

FolderList::FolderList(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Dir1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(10);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { setPath(folderOf(item)); });
    m_watch = new FolderWatcher(this);
    connect(m_watch, &FolderWatcher::changed, this, &FolderList::refresh);
}

bool FolderList::setPath(const QString &path)
{
    const QString folder = cleanFolder(path);
    if (path.isEmpty() || !isOpenableFolder(folder))
        return false;
    m_path = folder;
    m_watch->setFolder(m_path);
    fill();
    emit changed(m_path);
    return true;
}

void FolderList::refresh()
{
    if (m_path.isEmpty())
        return;
    if (!isOpenableFolder(m_path)) {
        // Removed or renamed under the list: climb to what is still there (the root always is).
        QString up = m_path;
        while (!isOpenableFolder(up) && up != QDir::rootPath())
            up = QFileInfo(up).path();
        if (!setPath(up))
            m_watch->setFolder(QString());
        return;
    }
    m_watch->rewatch();
    // Files come and go in the folder far more often than folders do: only a change of the
    // subfolders redraws the list.
    QStringList shown;
    const QTreeWidgetItem *current = itemFor(m_path);
    for (int i = 0; current && i < current->childCount(); ++i)
        shown << current->child(i)->text(0);
    if (current && shown == subfoldersOf(m_path))
        return;
    const QString keep = folderOf(currentItem());
    const int scrolled = verticalScrollBar()->value();
    fill();
    QTreeWidgetItem *kept = itemFor(keep);
    setCurrentItem(kept ? kept : itemFor(m_path));
    verticalScrollBar()->setValue(scrolled);
}

QString FolderList::folderOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kPathRole).toString() : QString();
}

QTreeWidgetItem *FolderList::itemFor(const QString &folder) const
{
    const QString wanted = cleanFolder(folder);
    for (QTreeWidgetItemIterator it(const_cast<FolderList *>(this)); *it; ++it) {
        if (folderOf(*it) == wanted)
            return *it;
    }
    return nullptr;
}

void FolderList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain of open folders from the root down to the current one.
    auto *root = new QTreeWidgetItem(this, {QStringLiteral("/")});
    root->setIcon(0, open);
    root->setData(0, kPathRole, QStringLiteral("/"));
    QTreeWidgetItem *current = root;
    QString sofar;
    for (const QString &part : m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        sofar += QLatin1Char('/') + part;
        auto *item = new QTreeWidgetItem(current, {part});
        item->setIcon(0, open);
        item->setData(0, kPathRole, sofar);
        current = item;
    }

    for (const QString &name : subfoldersOf(m_path)) {
        auto *item = new QTreeWidgetItem(current, {name});
        item->setIcon(0, closed);
        item->setData(0, kPathRole, QDir(m_path).filePath(name));
    }

    expandAll();
    setCurrentItem(current);
    // Show as many ancestors as fit, and always the current folder.
    scrollToTop();
    scrollToItem(current);
}

} // namespace camvista
