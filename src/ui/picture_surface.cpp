#include "picture_surface.h"

#include "platform/desktop.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace camvista
{

PictureSurface::PictureSurface(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resetLayer();
}

void PictureSurface::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (m_autoSize && !picture.isNull() && picture.size() != size()) {
        resize(picture.size()); // resizeEvent may be deferred while hidden: reset here
    }
    resetLayer();
    update();
}

FileStatus PictureSurface::loadPicture(const QString &path)
{
    PictureLoad loaded = loadPictureFile(path);
    if (loaded.ok())
        setPicture(loaded.image);
    return loaded.status;
}

void PictureSurface::setAutoSize(bool on)
{
    m_autoSize = on;
    if (on && !m_picture.isNull() && m_picture.size() != size()) {
        resize(m_picture.size());
        resetLayer();
    }
}

void PictureSurface::setBackgroundColour(const QColor &colour)
{
    m_background = colour;
}

QImage &PictureSurface::layer()
{
    fitLayer();
    return m_layer;
}

const QImage &PictureSurface::layer() const
{
    fitLayer();
    return m_layer;
}

ColourValue PictureSurface::getPixel(int x, int y) const
{
    fitLayer();
    if (!m_layer.valid(x, y))
        return kNoColour;
    return colourValue(reinterpret_cast<const QRgb *>(m_layer.constScanLine(y))[x]);
}

void PictureSurface::setPixelV(int x, int y, ColourValue colour)
{
    fitLayer();
    if (!m_layer.valid(x, y) || colour < 0)
        return;
    reinterpret_cast<QRgb *>(m_layer.scanLine(y))[x] = toRgb(colour & 0xFFFFFF);
    update(x, y, 1, 1);
}

void PictureSurface::paintPicture(const QImage &picture, int x, int y, int width, int height,
                                  std::optional<QRect> source)
{
    fitLayer();
    if (picture.isNull() || width == 0 || height == 0 || m_layer.isNull())
        return;
    const QRect wanted = source ? *source : picture.rect();
    QRect from = wanted.intersected(picture.rect());
    if (wanted.isEmpty() || from.isEmpty())
        return;
    // Where part of the source rectangle lies outside the picture, only the part inside is
    // drawn, at the place and scale the whole rectangle would have had: the rest of the target
    // stays as it was, and nothing is stretched to fill it.
    if (from != wanted) {
        const double sx = double(width) / wanted.width();
        const double sy = double(height) / wanted.height();
        const int left = x + int(std::lround((from.left() - wanted.left()) * sx));
        const int top = y + int(std::lround((from.top() - wanted.top()) * sy));
        const int right = x + int(std::lround((from.right() + 1 - wanted.left()) * sx));
        const int bottom = y + int(std::lround((from.bottom() + 1 - wanted.top()) * sy));
        x = left;
        y = top;
        width = right - left;
        height = bottom - top;
        if (width == 0 || height == 0)
            return;
    }

    QPainter p(&m_layer);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const bool wholeFactor =
        width > 0 && height > 0 && width % from.width() == 0 && height % from.height() == 0;
    if (wholeFactor) {
        const QImage part = from == picture.rect() ? picture : picture.copy(from);
        const int fx = width / from.width();
        const int fy = height / from.height();
        p.drawImage(QPoint(x, y), fx == 1 && fy == 1 ? part : enlargeByWholeFactor(part, fx, fy));
    } else {
        p.drawImage(QRect(x, y, width, height), picture, from);
    }
    p.end();
    update();
}

void PictureSurface::cls()
{
    fitLayer();
    m_layer.fill(m_background);
    update();
}

void PictureSurface::refresh()
{
    repaint();
}

QImage PictureSurface::renderAsShown() const
{
    fitLayer();
    // With nothing drawn over it the surface shows exactly its layer: share it rather than
    // paint a copy (a big picture's commit would otherwise cost two fresh buffers).
    const auto children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const bool covered = std::any_of(children.begin(), children.end(), [this](QWidget *child) {
        return !child->isWindow() && child->isVisibleTo(this) &&
               child->geometry().intersects(rect());
    });
    if (!covered && m_layer.size() == size())
        return m_layer;

    QImage shot(size(), QImage::Format_RGB32);
    if (shot.isNull())
        return shot;
    shot.fill(m_background);
    // render() paints this widget and its visible children, on screen or not.
    const_cast<PictureSurface *>(this)->render(&shot, QPoint(), QRegion(rect()),
                                               QWidget::DrawChildren);
    return shot;
}

void PictureSurface::paintEvent(QPaintEvent *event)
{
    fitLayer();
    QPainter p(this);
    const QRect area = event->rect();
    p.fillRect(area, m_background);
    p.drawImage(area.topLeft(), m_layer, area);
}

void PictureSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitLayer();
}

void PictureSurface::fitLayer() const
{
    if (m_layer.size() == size())
        return;
    // Keep what was drawn; new room shows the background and the stored picture.
    const QImage old = m_layer;
    resetLayer();
    if (old.isNull() || m_layer.isNull())
        return;
    QPainter p(&m_layer);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, old);
}

void PictureSurface::resetLayer() const
{
    // An opaque picture that covers the whole layer is the layer: share it (copied on the
    // first write) instead of filling and drawing.
    if (!m_picture.isNull() && m_picture.size() == size() && !m_picture.hasAlphaChannel()) {
        m_layer = m_picture.format() == QImage::Format_RGB32
                      ? m_picture
                      : m_picture.convertToFormat(QImage::Format_RGB32);
        return;
    }
    m_layer = QImage(size().expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    if (m_layer.isNull())
        return;
    m_layer.fill(m_background);
    if (!m_picture.isNull()) {
        QPainter p(&m_layer);
        p.drawImage(0, 0, m_picture);
    }
}

QImage bitBlp(const PictureSurface &surface, Desktop &desktop)
{
    QImage shown = surface.renderAsShown();
    desktop.setClipboardImage(shown);
    return shown;
}

QImage commitSurface(const PictureSurface &source, PictureSurface &target, Desktop &desktop)
{
    QImage shown = bitBlp(source, desktop);
    target.setPicture(shown);
    return shown;
}

} // namespace camvista
