#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace camvista
{

// Every service that touches the desktop or waits for the user. Windows receive one at
// construction; tests hand in FakeDesktop, which records calls and answers from a script.
class Desktop
{
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };
    enum class WindowStyle { Normal, Minimized, Maximized, Hidden };
    enum class PrintResult { Printed, NoPrinter, Failed };
    // How the desktop shows a wallpaper smaller or larger than the screen.
    enum class WallpaperStyle { Centered, Stretched, Tiled };
    enum class WallpaperResult { Applied, NoSupportedDesktop, Failed };

    struct Message {
        QString text;
        QString title = QStringLiteral("Camvista");
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    struct FileDialog {
        QString caption;
        QString folder;   // where the dialog starts
        QString fileName; // proposed name (save dialogs)
        QString filter;   // Qt filter text, e.g. "Pictures (*.bmp *.gif)"; ";;" between several
        // Save dialogs: one more choice beside the name, such as a scale; none when `choices`
        // is empty. `choice` is the item selected at first.
        QString choiceLabel;
        QStringList choices;
        int choice = 0;
    };

    // What a save dialog gave back: the path as the user typed or picked it, and the filter
    // that was selected when the user confirmed, exactly as it stands in `FileDialog::filter`.
    struct SaveChoice {
        QString path;
        QString filter;
        int choice = 0; // the item of `FileDialog::choices` selected, 0 when there are none
    };

    virtual ~Desktop();

    // Blocks until the user answers. A message with only an OK button answers Ok.
    virtual Answer showMessage(QWidget *parent, const Message &message) = 0;
    Answer showMessage(QWidget *parent, const QString &text,
                       const QString &title = QStringLiteral("Camvista"), Icon icon = Icon::None,
                       Buttons buttons = Buttons::Ok);

    // The chosen path (and, when saving, filter), or nothing when the user cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget *parent, const FileDialog &dialog) = 0;
    virtual std::optional<SaveChoice> chooseSaveFile(QWidget *parent, const FileDialog &dialog) = 0;
    // An existing folder; `dialog.folder` is where the chooser starts, the filter is unused.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const FileDialog &dialog) = 0;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) = 0;

    virtual void setClipboardImage(const QImage &image) = 0;
    virtual QImage clipboardImage() const = 0;

    virtual void beep() = 0;

    // Opens a web address with the desktop's default handler; false when that failed.
    virtual bool openAddress(const QString &address) = 0;
    // Shows a folder in the desktop's file manager; false when that failed.
    virtual bool openFolder(const QString &path) = 0;
    // Starts another program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString &path, WindowStyle style) = 0;

    // Prints the picture on the default printer, one copy, at the top-left corner of the page
    // at the size it has on screen, and ends the job.
    virtual PrintResult printImage(const QImage &image) = 0;

    // Writes one string value of the user's desktop settings under `keyPath`, creating the key
    // when it is missing. False when the value could not be stored.
    virtual bool writeDesktopSetting(const QString &keyPath, const QString &valueName,
                                     const QString &value) = 0;
    // Makes the picture file the desktop background, shown in that style.
    virtual WallpaperResult applyWallpaper(const QString &path, WallpaperStyle style) = 0;
};

} // namespace camvista
