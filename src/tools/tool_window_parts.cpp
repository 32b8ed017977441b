#include "tool_window_parts.h"

#include "imaging/number_text.h"
#include "imaging/twips.h"
#include "ui/drop_square.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

namespace camvista
{

QRgb squareColour(int column, int line)
{
    static constexpr QRgb firstLine[8] = {0xffffc0c0, 0xffffc0ff, 0xffffe0c0, 0xffffffc0,
                                          0xffc0ffc0, 0xffc0ffff, 0xffc0c0ff, 0xffffc0ff};
    // From the second line on, each line alternates two colours.
    static constexpr QRgb pairs[5][2] = {
        {0xffff8080, 0xff80ffff}, {0xffffc080, 0xff80ff80}, {0xffffff80, 0xff404000},
        {0xff80ff80, 0xffffc080}, {0xff80ffff, 0xffff8080},
    };
    if (line == 0)
        return firstLine[column];
    return pairs[line - 1][column % 2];
}

std::vector<QRgb> squareColours(int columns, int lines)
{
    std::vector<QRgb> colours;
    for (int line = 0; line < lines; ++line)
        for (int column = 0; column < columns; ++column)
            colours.push_back(squareColour(column, line));
    return colours;
}

int steppedCount(int count, int delta, int low, int high)
{
    if (delta < 0)
        return count <= low ? low : count - 1;
    return count >= high ? high : count + 1;
}

QString centimetreSizeText(const QString &prefix, const QSize &pixels)
{
    const QChar mark = userDecimalMark();
    return prefix + QStringLiteral("Width = ") +
           twipsAsCentimetres(pixelsToTwips(pixels.width()), mark) +
           QStringLiteral(" cm; Height = ") +
           twipsAsCentimetres(pixelsToTwips(pixels.height()), mark) + QStringLiteral(" cm");
}

QPushButton *smallButton(QWidget *parent, const char *name, const QString &caption, int x, int y)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 17, 17);
    return button;
}

QLabel *placedLabel(QWidget *parent, const char *name, const QString &text, int x, int y, int width,
                    int height)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, width, height);
    return label;
}

QAction *menuCommand(QWidget *form, const char *name, const QString &text)
{
    auto *action = new QAction(text, form);
    action->setObjectName(QString::fromLatin1(name));
    form->addAction(action);
    return action;
}

std::vector<DropSquare *> buildSquares(QWidget *container, int columns, const QSize &size,
                                       std::span<const QRgb> colours)
{
    std::vector<DropSquare *> squares;
    squares.reserve(colours.size());
    for (std::size_t index = 0; index < colours.size(); ++index) {
        auto *square = new DropSquare(container);
        square->setObjectName(QStringLiteral("Picture1_%1").arg(index));
        const int column = int(index) % columns;
        const int line = int(index) / columns;
        square->setGeometry(column * size.width(), line * size.height(), size.width(),
                            size.height());
        square->setBackgroundColour(QColor::fromRgb(colours[index]));
        square->cls();
        squares.push_back(square);
    }
    return squares;
}

void closeForm(QWidget *form)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        child->close();
    else
        form->close();
}

} // namespace camvista
