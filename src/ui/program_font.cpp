#include "program_font.h"

#include <QApplication>
#include <QFont>

namespace camvista
{

void useProgramFont()
{
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    QFont font(QStringLiteral("Segoe UI"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

} // namespace camvista
