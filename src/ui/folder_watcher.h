#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace camvista
{

// Tells a list that the folder it shows has changed: a file or folder appeared, vanished or
// was renamed, or the folder itself went. A burst of changes (a save, an extraction of thirty
// shots) gives one changed(), at most kSettleMs after the first of them.
//
// Every watcher of the program shares one system watch, so a dozen open lists cost one
// notification channel, not a dozen.
class FolderWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 250;

    explicit FolderWatcher(QObject *parent = nullptr);
    ~FolderWatcher() override;

    // Watches `folder` from now on instead of the one before; empty watches nothing.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    // Watches the folder again if the system dropped the watch (the folder was removed and
    // has come back).
    void rewatch();

signals:
    void changed();

private:
    void release();
    void onFolderChanged(const QString &folder);

    QString m_folder;
    bool m_holding = false; // counted in the shared watch
    QTimer m_settle;
};

} // namespace camvista
