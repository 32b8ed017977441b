#pragma once

#include "desktop.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <utility>

namespace camvista
{

// A desktop for tests: records every call and answers from scripted queues, so no test ever
// waits on a real dialog. An empty queue answers as a user who presses the default button
// (OK, No in a Yes / No question, Cancel in a Save / Discard / Cancel question and in a file or
// colour dialog), so nothing is lost by an answer a test did not script.
class FakeDesktop final : public Desktop
{
public:
    using Desktop::showMessage;
    Answer showMessage(QWidget *parent, const Message &message) override;
    std::optional<QString> chooseOpenFile(QWidget *parent, const FileDialog &dialog) override;
    std::optional<SaveChoice> chooseSaveFile(QWidget *parent, const FileDialog &dialog) override;
    std::optional<QString> chooseFolder(QWidget *parent, const FileDialog &dialog) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
    void setClipboardImage(const QImage &image) override;
    QImage clipboardImage() const override { return clipboard; }
    void beep() override { ++beeps; }
    bool openAddress(const QString &address) override;
    bool openFolder(const QString &path) override;
    bool startProgram(const QString &path, WindowStyle style) override;
    PrintResult printImage(const QImage &image) override;
    bool writeDesktopSetting(const QString &keyPath, const QString &valueName,
                             const QString &value) override;
    WallpaperResult applyWallpaper(const QString &path, WallpaperStyle style) override;

    struct DesktopSetting {
        QString keyPath;
        QString valueName;
        QString value;
        bool operator==(const DesktopSetting &) const = default;
    };

    // Scripted answers, taken front first.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openFiles;
    std::deque<std::optional<QString>> saveFiles;
    // The filter the user selects in each save dialog. An empty queue, or a filter the dialog
    // does not offer, leaves the dialog's first filter selected, as a user who never touches it.
    std::deque<QString> saveFilters;
    // The item the user selects among a save dialog's extra choices; an empty queue, or an
    // index the dialog does not offer, keeps the one the dialog starts with.
    std::deque<int> saveChoices;
    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<QColor>> colours;
    bool servicesSucceed = true; // result of openAddress / openFolder / startProgram
    PrintResult printResult = PrintResult::Printed;
    WallpaperResult wallpaperResult = WallpaperResult::Applied;

    // What happened.
    QList<Message> messages;
    QList<FileDialog> fileDialogs;
    QImage clipboard;
    int clipboardWrites = 0;
    int beeps = 0;
    QStringList openedAddresses;
    QStringList openedFolders;
    QList<std::pair<QString, WindowStyle>> startedPrograms;
    QList<QImage> printedImages;           // what reached the printer
    QList<DesktopSetting> desktopSettings; // in the order they were written
    QList<std::pair<QString, WallpaperStyle>> wallpapers;
};

} // namespace camvista
