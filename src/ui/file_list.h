#pragma once

#include <QListWidget>
#include <QRegularExpression>
#include <QString>

namespace camvista
{

class FolderWatcher;

// The file list: the files of one folder whose names match a pattern such as
// "*.jpg;*.bmp" (case-insensitive), sorted by name without regard to case. Hidden files are
// left out. Reading is synchronous. The list watches its folder and follows it by itself within
// a second of a change there.
class FileList : public QListWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    void setPattern(const QString &pattern);
    QString pattern() const { return m_pattern; }

    // A missing folder gives an empty list.
    void setPath(const QString &folder);
    QString path() const { return m_path; }

    // The selected file's name, or empty when none is selected. With several selected, the one
    // the user reached last (the current item) when it is among them.
    QString fileName() const;
    // Every selected file's name, in the list's order.
    QStringList selectedFileNames() const;
    // Selects the file with this name; false when it is not listed.
    bool selectFile(const QString &name);
    QStringList fileNames() const;

    // Rereads the folder; the selected files stay selected while they are still there, and the
    // list keeps its scroll position.
    void refresh();

    bool matches(const QString &name) const;

    // With this on, pressing a file and moving the mouse drags it (a shot drag: see
    // shot_drag.h); the press counts as a click on that file first.
    void setDragSource(bool on);
    // What a drag of the selected file carries; null when no file is selected.
    QMimeData *dragData() const;

signals:
    // A file was clicked, or reached with the keyboard.
    void fileClicked();
    // A file was double-clicked, or Enter was pressed on it.
    void fileDoubleClicked();
    // A drag of this file is about to start.
    void dragStarted(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    QStringList readNames() const;

    FolderWatcher *m_watch = nullptr;
    QString m_path;
    QString m_pattern;
    QList<QRegularExpression> m_wildcards;
};

} // namespace camvista
