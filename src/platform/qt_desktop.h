#pragma once

#include "desktop.h"

namespace camvista
{

// The real desktop, through Qt's dialogs, clipboard and desktop services.
class QtDesktop final : public Desktop
{
public:
    using Desktop::showMessage;
    Answer showMessage(QWidget *parent, const Message &message) override;
    std::optional<QString> chooseOpenFile(QWidget *parent, const FileDialog &dialog) override;
    std::optional<SaveChoice> chooseSaveFile(QWidget *parent, const FileDialog &dialog) override;
    std::optional<QString> chooseFolder(QWidget *parent, const FileDialog &dialog) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
    void setClipboardImage(const QImage &image) override;
    QImage clipboardImage() const override;
    void beep() override;
    bool openAddress(const QString &address) override;
    bool openFolder(const QString &path) override;
    bool startProgram(const QString &path, WindowStyle style) override;
    PrintResult printImage(const QImage &image) override;
    // A small file of the program's own under the drive root stands in for the registry.
    bool writeDesktopSetting(const QString &keyPath, const QString &valueName,
                             const QString &value) override;
    WallpaperResult applyWallpaper(const QString &path, WallpaperStyle style) override;

    // The least width of a message box with this title: the window system writes the title in
    // a font of its own, often bold and larger than the program's, beside the window's icon
    // and buttons. Qt's own allowance (the title in the program's font and 50 pixels) cuts
    // short titles such as "Camvista" off.
    static int messageWidthForTitle(const QString &title, const QWidget &box);
};

} // namespace camvista
