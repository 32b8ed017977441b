#include "twips_geometry.h"

#include "imaging/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace camvista
{

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

QPoint centredHigh(const QSize &screen, const QSize &window, int raiseTwips)
{
    const int top =
        (pixelsToTwips(screen.height()) - pixelsToTwips(window.height())) / 2 - raiseTwips;
    const int left = (pixelsToTwips(screen.width()) - pixelsToTwips(window.width())) / 2;
    return QPoint(std::max(0, twipsToPixels(left)), std::max(0, twipsToPixels(top)));
}

QSize screenSize()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->size();
    return QSize(800, 600);
}

} // namespace camvista
