#include "number_text.h"

#include "rounding.h"
#include "twips.h"

#include <QLocale>

#include <cmath>

namespace camvista
{

QString formatOneDecimal(double value, QChar decimalMark)
{
    const long long tenths = roundHalfEven(value * 10.0);
    const bool negative = tenths < 0;
    const long long magnitude = negative ? -tenths : tenths;
    const long long whole = magnitude / 10;
    const long long decimal = magnitude % 10;
    QString text = negative ? QStringLiteral("-") : QString();
    if (whole != 0)
        text += QString::number(whole);
    text += decimalMark;
    if (decimal != 0)
        text += QString::number(decimal);
    return text;
}

QString shortestDecimal(double value, QChar decimalMark)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimalMark);
    return text;
}

std::optional<double> parseDecimal(const QString &text, QChar decimalMark)
{
    QString plain = text.trimmed();
    if (plain.isEmpty())
        return std::nullopt;
    if (decimalMark != QLatin1Char('.')) {
        if (plain.contains(QLatin1Char('.')))
            return std::nullopt;
        plain.replace(decimalMark, QLatin1Char('.'));
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString twipsAsCentimetres(double twips, QChar decimalMark)
{
    return formatOneDecimal(twips / kTwipsPerCentimetre, decimalMark);
}

QChar userDecimalMark()
{
    const QString mark = QLocale::system().decimalPoint();
    return mark.isEmpty() ? QLatin1Char('.') : mark.front();
}

} // namespace camvista
