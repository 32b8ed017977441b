#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QUndoCommand>

#include <functional>
#include <vector>

namespace camvista
{

class DropSquare;

// The undoable changes of a mosaic or panorama: what a square holds, where it lies, and the
// composition's size.

// The counts and sizes that make a composition's size: the column and line counts, the
// composition in pixels and, for the panorama, its border box.
struct CompositionSize {
    int columns = 0;
    int lines = 0;
    QSize picture;
    QSize border;
    bool operator==(const CompositionSize &) const = default;
};

// A drop: the square's picture before and after.
class PlaceShotCommand : public QUndoCommand
{
public:
    PlaceShotCommand(DropSquare *square, QImage before, QImage after);
    void undo() override;
    void redo() override;

private:
    DropSquare *m_square;
    QImage m_before;
    QImage m_after;
};

// A square dragged to another place; the squares' stacking order goes with it, as the square
// in hand is drawn over the others.
class MoveSquareCommand : public QUndoCommand
{
public:
    struct Place {
        QPoint position;
        std::vector<DropSquare *> stacking; // bottom first
    };
    MoveSquareCommand(DropSquare *square, Place before, Place after);
    void undo() override;
    void redo() override;

private:
    void apply(const Place &place);

    DropSquare *m_square;
    Place m_before;
    Place m_after;
};

// A count or pixel size change, applied through the window's own size rules.
class ResizeCompositionCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const CompositionSize &)>;
    ResizeCompositionCommand(Apply apply, CompositionSize before, CompositionSize after);
    void undo() override;
    void redo() override;

private:
    Apply m_apply;
    CompositionSize m_before;
    CompositionSize m_after;
};

} // namespace camvista
