#include "ui/file_list.h"

#include "ui/folder_watcher.h"
#include "ui/shot_drag.h"

#include <QDir>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>

#include <algorithm>

namespace camvista
{

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("File1"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    m_watch = new FolderWatcher(this);
    connect(m_watch, &FolderWatcher::changed, this, &FileList::refresh);
    setPattern(QStringLiteral("*.*"));
    connect(this, &QListWidget::itemClicked, this, &FileList::fileClicked);
    connect(this, &QListWidget::itemDoubleClicked, this, &FileList::fileDoubleClicked);
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    m_wildcards.clear();
    for (const QString &part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        m_wildcards.append(
            QRegularExpression(QRegularExpression::wildcardToRegularExpression(part.trimmed()),
                               QRegularExpression::CaseInsensitiveOption));
    }
    refresh();
}

bool FileList::matches(const QString &name) const
{
    return std::any_of(m_wildcards.cbegin(), m_wildcards.cend(),
                       [&](const QRegularExpression &re) { return re.match(name).hasMatch(); });
}

void FileList::setPath(const QString &folder)
{
    m_path = folder;
    m_watch->setFolder(folder);
    clear();
    refresh();
}

QString FileList::fileName() const
{
    if (const QListWidgetItem *current = currentItem(); current && current->isSelected())
        return current->text();
    const QStringList selected = selectedFileNames();
    return selected.isEmpty() ? QString() : selected.first();
}

QStringList FileList::selectedFileNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected())
            names.append(item(row)->text());
    }
    return names;
}

bool FileList::selectFile(const QString &name)
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text() == name) {
            setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return false;
}

QStringList FileList::fileNames() const
{
    QStringList names;
    for (int row = 0; row < count(); ++row)
        names.append(item(row)->text());
    return names;
}

QStringList FileList::readNames() const
{
    QStringList names;
    if (m_path.isEmpty())
        return names;
    // Regular files only: no pipes or devices, no hidden files.
    const QStringList files = QDir(m_path).entryList(QDir::Files, QDir::Unsorted);
    for (const QString &name : files) {
        if (matches(name))
            names.append(name);
    }
    // By name, whatever the case; names that differ only in case keep a fixed order.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

void FileList::refresh()
{
    m_watch->rewatch();
    const QStringList names = readNames();
    // Nothing changed: the list stays as the user left it, current row and all.
    if (names == fileNames())
        return;
    const QStringList keep = selectedFileNames();
    const QString keepCurrent = fileName();
    const int scrolled = verticalScrollBar()->value();
    clear();
    addItems(names);
    // A selection of several files survives too, with the file reached last still current.
    const QSet<QString> wanted(keep.cbegin(), keep.cend());
    int currentRowKept = -1;
    for (int row = 0; row < int(names.size()) && !wanted.isEmpty(); ++row) {
        if (wanted.contains(names[row]))
            item(row)->setSelected(true);
        if (names[row] == keepCurrent)
            currentRowKept = row;
    }
    if (currentRowKept >= 0)
        setCurrentRow(currentRowKept, QItemSelectionModel::Select);
    verticalScrollBar()->setValue(scrolled);
}

void FileList::setDragSource(bool on)
{
    setDragEnabled(on);
    setDragDropMode(on ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

QMimeData *FileList::dragData() const
{
    const QString name = fileName();
    return name.isEmpty() ? nullptr : shotDragData(QDir(m_path).filePath(name));
}

QMimeData *FileList::mimeData(const QList<QListWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    return shotDragData(QDir(m_path).filePath(items.first()->text()));
}

QStringList FileList::mimeTypes() const
{
    return shotDragMimeTypes();
}

void FileList::startDrag(Qt::DropActions supportedActions)
{
    // The press selected the file; the window learns of it as of a click, so a drop finds it
    // as the selected shot.
    if (!currentItem())
        return;
    emit fileClicked();
    emit dragStarted(QDir(m_path).filePath(currentItem()->text()));
    QListWidget::startDrag(supportedActions & Qt::CopyAction ? Qt::CopyAction : supportedActions);
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit fileDoubleClicked();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentItem())
        emit fileClicked();
}

} // namespace camvista
