#pragma once

#include "imaging/colour_value.h"
#include "imaging/picture_file.h"
#include "shotwork/shot_operations.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <optional>

namespace camvista
{

class Desktop;

// A widget that holds a stored picture and a drawing layer.
//
// The layer (32-bit RGB, the size of the widget) is what the widget paints; setting the stored
// picture resets the layer to the background colour with the picture drawn at its top-left.
// Pixel reads and writes act on the layer. Child widgets (overlays) are painted over it by Qt
// and are part of the surface "as shown".
class PictureSurface : public QWidget
{
    Q_OBJECT

public:
    explicit PictureSurface(QWidget *parent = nullptr);

    // The stored picture: what is saved, copied and reset to.
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // Reads the file through the program's loader; on success it becomes the stored picture
    // (an empty path gives an empty picture). On failure nothing changes.
    FileStatus loadPicture(const QString &path);

    // When on, the widget takes the size of every picture it is given.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }

    void setBackgroundColour(const QColor &colour);
    QColor backgroundColour() const { return m_background; }

    int scaleWidth() const { return layer().width(); }
    int scaleHeight() const { return layer().height(); }

    // Colour of a layer pixel; kNoColour outside the layer.
    ColourValue getPixel(int x, int y) const;
    // Sets a layer pixel; outside the layer nothing happens.
    void setPixelV(int x, int y, ColourValue colour);

    // Draws `picture` (or its `source` part) stretched into the rectangle. Enlarging by a whole
    // factor repeats pixels exactly; other sizes use nearest-pixel sampling, never smoothing.
    void paintPicture(const QImage &picture, int x, int y, int width, int height,
                      std::optional<QRect> source = std::nullopt);

    // The layer as a picture; setPicture(image()) keeps the drawing.
    QImage image() const { return layer(); }
    // Direct access to the layer for row loops; call update() (refresh()) afterwards.
    QImage &layer();
    const QImage &layer() const;

    // Fills the layer with the background colour.
    void cls();
    // Shows the layer on screen now.
    void refresh();

    // The layer with every visible child drawn over it, clipped to the surface. Works whether or
    // not the window is on screen.
    QImage renderAsShown() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void resetLayer() const;
    // A hidden widget gets its resize event only when shown: the layer follows size() here.
    void fitLayer() const;

    QImage m_picture;
    mutable QImage m_layer;
    QColor m_background = Qt::white;
    bool m_autoSize = false;
};

// Puts the surface as shown on the clipboard and returns that image.
QImage bitBlp(const PictureSurface &surface, Desktop &desktop);

// Makes the drawn pixels permanent: the source surface as shown goes to the clipboard, and the
// same image becomes the target's stored picture (the clipboard is never read back: another
// program may own it by then). Source and target may be the same surface.
QImage commitSurface(const PictureSurface &source, PictureSurface &target, Desktop &desktop);

// Repeats every pixel `factor` times across and down: the one enlargement every window and
// exporter uses.
using shotwork::enlargeByWholeFactor;

} // namespace camvista
