#include "ui/drop_square.h"

#include <QDragEnterEvent>
#include <QDropEvent>

namespace camvista
{

DropSquare::DropSquare(QWidget *parent) : PictureSurface(parent)
{
    setAcceptDrops(true);
}

void DropSquare::dragEnterEvent(QDragEnterEvent *event)
{
    if (shotDropOf(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropSquare::dragMoveEvent(QDragMoveEvent *event)
{
    if (shotDropOf(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropSquare::dropEvent(QDropEvent *event)
{
    const std::optional<ShotDrop> drop = shotDropOf(event->mimeData());
    if (!drop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit shotDropped(*drop);
}

} // namespace camvista
