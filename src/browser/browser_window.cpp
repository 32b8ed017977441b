#include "browser_window.h"

#include "data/shell_pictures.h"

#include <QPixmap>

namespace camvista
{

BrowserWindow::BrowserWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("browser"));
    setWindowTitle(QStringLiteral("Files browser:"));
    setFixedWidth(kClientWidth);
    setAutoFillBackground(true);
    for (const int size : {16, 32, 48, 256})
        m_icon1.addPixmap(QPixmap::fromImage(data::applicationIcon(size)));
}

void BrowserWindow::setFolder(const QString &folder)
{
    m_folder = folder;
}

} // namespace camvista
