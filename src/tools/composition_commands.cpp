#include "composition_commands.h"

#include "ui/drop_square.h"

#include <utility>

namespace camvista
{

PlaceShotCommand::PlaceShotCommand(DropSquare *square, QImage before, QImage after)
    : QUndoCommand(QStringLiteral("drop")), m_square(square), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void PlaceShotCommand::undo()
{
    m_square->setPicture(m_before);
}

void PlaceShotCommand::redo()
{
    m_square->setPicture(m_after);
}

MoveSquareCommand::MoveSquareCommand(DropSquare *square, Place before, Place after)
    : QUndoCommand(QStringLiteral("move")), m_square(square), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void MoveSquareCommand::apply(const Place &place)
{
    m_square->move(place.position);
    for (DropSquare *square : place.stacking)
        square->raise();
}

void MoveSquareCommand::undo()
{
    apply(m_before);
}

void MoveSquareCommand::redo()
{
    apply(m_after);
}

ResizeCompositionCommand::ResizeCompositionCommand(Apply apply, CompositionSize before,
                                                   CompositionSize after)
    : QUndoCommand(QStringLiteral("size")), m_apply(std::move(apply)), m_before(before),
      m_after(after)
{
}

void ResizeCompositionCommand::undo()
{
    m_apply(m_before);
}

void ResizeCompositionCommand::redo()
{
    m_apply(m_after);
}

} // namespace camvista
