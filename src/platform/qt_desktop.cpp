#include "qt_desktop.h"

#include "app_paths.h"
#include "desktop_settings_store.h"
#include "drive_root.h"
#include "imaging/picture_file.h"
#include "linux_wallpaper.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSpacerItem>
#include <QStyle>
#include <QUrl>

namespace camvista
{

namespace
{

QMessageBox::Icon toQtIcon(Desktop::Icon icon)
{
    switch (icon) {
    case Desktop::Icon::Information:
        return QMessageBox::Information;
    case Desktop::Icon::Exclamation:
        return QMessageBox::Warning;
    case Desktop::Icon::Critical:
        return QMessageBox::Critical;
    case Desktop::Icon::Question:
        return QMessageBox::Question;
    case Desktop::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(Desktop::Buttons buttons)
{
    switch (buttons) {
    case Desktop::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Desktop::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Desktop::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Desktop::Buttons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case Desktop::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QString startFolder(const Desktop::FileDialog &dialog)
{
    if (dialog.fileName.isEmpty())
        return dialog.folder;
    if (dialog.folder.isEmpty())
        return dialog.fileName;
    return dialog.folder + QLatin1Char('/') + QFileInfo(dialog.fileName).fileName();
}

std::optional<Desktop::SaveChoice> chooseSaveFileWithChoice(QWidget *parent,
                                                            const Desktop::FileDialog &dialog)
{
    // The system's own dialogs take no extra controls: Qt's dialog gets a row of its own under
    // the file type, as the same kind of choice.
    QFileDialog box(parent, dialog.caption, startFolder(dialog), dialog.filter);
    box.setObjectName(QStringLiteral("saveDialog"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setOption(QFileDialog::DontUseNativeDialog);
    auto *combo = new QComboBox(&box);
    combo->setObjectName(QStringLiteral("saveChoice"));
    combo->addItems(dialog.choices);
    combo->setCurrentIndex(qBound(0, dialog.choice, int(dialog.choices.size()) - 1));
    auto *label = new QLabel(dialog.choiceLabel, &box);
    label->setBuddy(combo);
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = box.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return Desktop::SaveChoice{path, box.selectedNameFilter(), combo->currentIndex()};
}

} // namespace

int QtDesktop::messageWidthForTitle(const QString &title, const QWidget &box)
{
    QFont font = box.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    // The window's icon, up to three buttons, each about as wide as the title bar is high, and
    // as much again for the room window systems keep round the title.
    const int decoration = 5 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    return QFontMetrics(font).horizontalAdvance(title) + decoration;
}

Desktop::Answer QtDesktop::showMessage(QWidget *parent, const Message &message)
{
    QMessageBox box(toQtIcon(message.icon), message.title, message.text,
                    toQtButtons(message.buttons), parent);
    // The box sizes itself to its layout whenever it is shown: a row as wide as the title
    // needs keeps it from getting narrower.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int margins = grid->contentsMargins().left() + grid->contentsMargins().right();
        grid->addItem(new QSpacerItem(messageWidthForTitle(message.title, box) - margins, 0,
                                      QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return message.buttons == Buttons::Ok         ? Answer::Ok
               : message.buttons == Buttons::OkCancel ? Answer::Ok
                                                      : Answer::Cancel;
    }
}

// The system calls would cut a path at a NUL and use some other file or folder: such a name
// is not found, whatever the dialog made of it.
bool QtDesktop::refusedWithNul(QWidget *parent, const QString &path)
{
    if (!path.contains(QChar(0)))
        return false;
    showMessage(parent, FileStatus{FileError::Missing, path, {}}.message(),
                QStringLiteral("Camvista"), Icon::Exclamation);
    return true;
}

std::optional<QString> QtDesktop::chooseOpenFile(QWidget *parent, const FileDialog &dialog)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, dialog.caption, startFolder(dialog), dialog.filter);
    if (path.isEmpty() || refusedWithNul(parent, path))
        return std::nullopt;
    return path;
}

std::optional<Desktop::SaveChoice> QtDesktop::chooseSaveFile(QWidget *parent,
                                                             const FileDialog &dialog)
{
    if (!dialog.choices.isEmpty())
        return chooseSaveFileWithChoice(parent, dialog);
    QString filter;
    const QString path = QFileDialog::getSaveFileName(parent, dialog.caption, startFolder(dialog),
                                                      dialog.filter, &filter);
    if (path.isEmpty() || refusedWithNul(parent, path))
        return std::nullopt;
    return SaveChoice{path, filter};
}

std::optional<QString> QtDesktop::chooseFolder(QWidget *parent, const FileDialog &dialog)
{
    const QString path =
        QFileDialog::getExistingDirectory(parent, dialog.caption, startFolder(dialog));
    if (path.isEmpty() || refusedWithNul(parent, path))
        return std::nullopt;
    return path;
}

std::optional<QColor> QtDesktop::chooseColour(QWidget *parent, const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void QtDesktop::setClipboardImage(const QImage &image)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);
}

QImage QtDesktop::clipboardImage() const
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        return clipboard->image();
    return {};
}

void QtDesktop::beep()
{
    QApplication::beep();
}

bool QtDesktop::openAddress(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address));
}

bool QtDesktop::openFolder(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktop::startProgram(const QString &path, WindowStyle)
{
    // Qt cannot ask another program's windows to start minimised; the program simply starts.
    const QString program = programOnThisSystem(path);
    if (!QFileInfo(program).isFile())
        return false;
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

Desktop::PrintResult QtDesktop::printImage(const QImage &image)
{
    if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty())
        return PrintResult::NoPrinter;
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setFullPage(true);
    if (!printer.isValid())
        return PrintResult::NoPrinter;
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::Failed;
    // The picture keeps the size it has on a 96-dot-per-inch screen.
    const double scale = printer.resolution() / 96.0;
    painter.scale(scale, scale);
    painter.drawImage(QPoint(0, 0), image);
    return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}

bool QtDesktop::writeDesktopSetting(const QString &keyPath, const QString &valueName,
                                    const QString &value)
{
    return writeStoredSetting(desktopSettingsFile(), keyPath, valueName, value).ok();
}

Desktop::WallpaperResult QtDesktop::applyWallpaper(const QString &path, WallpaperStyle style)
{
    return applyLinuxWallpaper(path, style, qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

} // namespace camvista
