#pragma once

#include "ui/picture_surface.h"
#include "ui/shot_drag.h"

namespace camvista
{

// A square of a composition grid: a surface that takes shot drops (see shot_drag.h) and tells
// its window, which decides what the drop puts there.
class DropSquare : public PictureSurface
{
    Q_OBJECT

public:
    explicit DropSquare(QWidget *parent = nullptr);

signals:
    void shotDropped(const camvista::ShotDrop &drop);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

} // namespace camvista
