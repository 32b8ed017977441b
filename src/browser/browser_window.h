#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

namespace camvista
{

// The shot browser: the narrow panel docked at the left edge of the main window's workspace.
// It holds the application icon (`icon1`) that the main window and the about window use.
class BrowserWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 161; // 2415 twips

    explicit BrowserWindow(QWidget *parent = nullptr);

    QIcon icon1() const { return m_icon1; }

    // Points the folder list (and with it the file list) at `folder`.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

private:
    QIcon m_icon1;
    QString m_folder;
};

} // namespace camvista
