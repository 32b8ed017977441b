#pragma once

#include <QComboBox>
#include <QString>

namespace camvista
{

// The drive list: the machine's mounted volumes, the root first. A volume is shown by its
// mount point, with its label in brackets when it has one.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // Rereads the mounted volumes, keeping the current one when it is still there.
    void refresh();

    // Mount point of the chosen volume.
    QString drive() const;
    // Shows the volume that holds `path` (no signal).
    void showDriveOf(const QString &path);

signals:
    // The user picked a volume.
    void driveChosen(const QString &rootPath);
};

} // namespace camvista
