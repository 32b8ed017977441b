#include "ui/folder_watcher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>

#include <utility>

namespace camvista
{

namespace
{

// The one system watch and how many watchers hold each folder in it.
struct SharedWatch {
    QFileSystemWatcher *watcher = nullptr;
    QHash<QString, int> holders;
    bool closed = false; // the application is closing: no new watch
};

SharedWatch &shared()
{
    static SharedWatch watch;
    return watch;
}

void dropSharedWatch()
{
    SharedWatch &watch = shared();
    watch.closed = true;
    delete std::exchange(watch.watcher, nullptr);
    watch.holders.clear();
}

// The system watch, made at its first use.
QFileSystemWatcher *sharedWatcher()
{
    SharedWatch &watch = shared();
    if (!watch.watcher && !watch.closed) {
        watch.watcher = new QFileSystemWatcher;
        // Gone as the application begins to close, while its event dispatcher still serves
        // the watch's notifier.
        qAddPostRoutine(dropSharedWatch);
    }
    return watch.watcher;
}

} // namespace

FolderWatcher::FolderWatcher(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatcher::changed);
    if (QFileSystemWatcher *watcher = sharedWatcher())
        connect(watcher, &QFileSystemWatcher::directoryChanged, this,
                &FolderWatcher::onFolderChanged);
}

FolderWatcher::~FolderWatcher()
{
    release();
}

void FolderWatcher::setFolder(const QString &folder)
{
    if (folder == m_folder && m_holding)
        return;
    release();
    m_folder = folder;
    rewatch();
}

void FolderWatcher::rewatch()
{
    SharedWatch &watch = shared();
    if (m_folder.isEmpty() || !sharedWatcher())
        return;
    // A folder that is not there cannot be watched; the next rewatch tries again.
    if (!watch.watcher->directories().contains(m_folder) && QFileInfo(m_folder).isDir())
        watch.watcher->addPath(m_folder);
    if (!m_holding && watch.watcher->directories().contains(m_folder)) {
        ++watch.holders[m_folder];
        m_holding = true;
    }
}

void FolderWatcher::release()
{
    SharedWatch &watch = shared();
    if (!m_holding || !watch.watcher)
        return;
    m_holding = false;
    if (--watch.holders[m_folder] <= 0) {
        watch.holders.remove(m_folder);
        watch.watcher->removePath(m_folder);
    }
}

void FolderWatcher::onFolderChanged(const QString &folder)
{
    if (folder != m_folder)
        return;
    // A removed folder leaves the system watch by itself.
    if (!shared().watcher->directories().contains(m_folder)) {
        shared().holders.remove(m_folder);
        m_holding = false;
    }
    // Not restarted by later changes: the list catches up within the settle time of the
    // first one, however long the burst lasts.
    if (!m_settle.isActive())
        m_settle.start();
}

} // namespace camvista
