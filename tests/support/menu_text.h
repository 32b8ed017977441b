#pragma once

#include <QString>

namespace camvista::test
{

// A menu text as the user reads it: without its mnemonic mark, "&&" shown as "&".
inline QString shownMenuText(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

} // namespace camvista::test
