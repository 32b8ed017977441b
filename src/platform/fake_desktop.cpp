#include "fake_desktop.h"

namespace camvista
{

namespace
{

// g++ 12 at -O3 wrongly reports a moved std::optional<QString> as maybe uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
template <typename T> T takeFront(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

} // namespace

Desktop::Answer FakeDesktop::showMessage(QWidget *, const Message &message)
{
    messages.append(message);
    Answer fallback = Answer::Ok;
    if (message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel)
        fallback = Answer::No;
    else if (message.buttons == Buttons::SaveDiscardCancel)
        fallback = Answer::Cancel;
    return takeFront(answers, fallback);
}

std::optional<QString> FakeDesktop::chooseOpenFile(QWidget *, const FileDialog &dialog)
{
    fileDialogs.append(dialog);
    return takeFront(openFiles, std::optional<QString>());
}

std::optional<Desktop::SaveChoice> FakeDesktop::chooseSaveFile(QWidget *, const FileDialog &dialog)
{
    fileDialogs.append(dialog);
    const QStringList offered = dialog.filter.split(QStringLiteral(";;"));
    QString filter = takeFront(saveFilters, QString());
    if (!offered.contains(filter))
        filter = offered.constFirst();
    int choice = takeFront(saveChoices, dialog.choice);
    if (choice < 0 || choice >= dialog.choices.size())
        choice = dialog.choices.isEmpty() ? 0 : dialog.choice;
    const std::optional<QString> path = takeFront(saveFiles, std::optional<QString>());
    if (!path)
        return std::nullopt;
    return SaveChoice{*path, filter, choice};
}

std::optional<QString> FakeDesktop::chooseFolder(QWidget *, const FileDialog &dialog)
{
    fileDialogs.append(dialog);
    return takeFront(folders, std::optional<QString>());
}

std::optional<QColor> FakeDesktop::chooseColour(QWidget *, const QColor &)
{
    return takeFront(colours, std::optional<QColor>());
}

void FakeDesktop::setClipboardImage(const QImage &image)
{
    clipboard = image;
    ++clipboardWrites;
}

bool FakeDesktop::openAddress(const QString &address)
{
    openedAddresses.append(address);
    return servicesSucceed;
}

bool FakeDesktop::openFolder(const QString &path)
{
    openedFolders.append(path);
    return servicesSucceed;
}

bool FakeDesktop::startProgram(const QString &path, WindowStyle style)
{
    startedPrograms.append({path, style});
    return servicesSucceed;
}

Desktop::PrintResult FakeDesktop::printImage(const QImage &image)
{
    if (printResult == PrintResult::Printed)
        printedImages.append(image);
    return printResult;
}

bool FakeDesktop::writeDesktopSetting(const QString &keyPath, const QString &valueName,
                                      const QString &value)
{
    desktopSettings.append({keyPath, valueName, value});
    return true;
}

Desktop::WallpaperResult FakeDesktop::applyWallpaper(const QString &path, WallpaperStyle style)
{
    wallpapers.append({path, style});
    return wallpaperResult;
}

} // namespace camvista
