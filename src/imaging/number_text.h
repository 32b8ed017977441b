#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace camvista
{

// Numbers as the program's boxes and captions show them, with the user's decimal mark.

// The "##.#" picture format: one decimal, rounded half to even; no leading zero below 1
// (".5"); a zero decimal is left out while the mark stays (10.0 gives "10.").
QString formatOneDecimal(double value, QChar decimalMark);

// The shortest decimal text of a number with up to 15 significant digits ("175", "299.7").
QString shortestDecimal(double value, QChar decimalMark);

// A decimal number typed into a box; nothing when the text is not one.
std::optional<double> parseDecimal(const QString &text, QChar decimalMark);

// Length in twips as centimetres (566.929133858 twips to the centimetre), "##.#".
QString twipsAsCentimetres(double twips, QChar decimalMark);

// The user's decimal mark.
QChar userDecimalMark();

} // namespace camvista
