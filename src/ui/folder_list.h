#pragma once

#include <QString>
#include <QTreeWidget>

namespace camvista
{

class FolderWatcher;

// The folder list: the current folder's ancestors from the root down, each one step further
// in, then its subfolders. A double click (or Enter) on a folder makes it the current one.
// Reading is synchronous, so the list is complete as soon as the path is set. The list watches
// the current folder: subfolders that appear, vanish or are renamed show within a second, and
// when the current folder itself goes, the nearest folder above it that is still there becomes
// the current one.
class FolderList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    // False, and nothing changes, when `path` is not a readable folder.
    bool setPath(const QString &path);
    QString path() const { return m_path; }

    // Rereads the subfolders of the current folder; the selected folder stays selected while it
    // is still there. A current folder that has gone gives way to the nearest one above it.
    void refresh();

    // The item that stands for `folder`, or null.
    QTreeWidgetItem *itemFor(const QString &folder) const;
    static QString folderOf(const QTreeWidgetItem *item);

signals:
    // The current folder changed, by the user or by setPath().
    void changed(const QString &path);

protected:
    // Every folder in the chain is always open: no expand arrows.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void fill();

    FolderWatcher *m_watch = nullptr;
    QString m_path;
};

} // namespace camvista
