#include "mnemonics.h"

#include <QAction>
#include <QKeySequence>

namespace camvista
{

namespace
{

// What a marked entry's window wrote, and what the marking made of it.
constexpr char kPlainText[] = "camvistaPlainText";
constexpr char kMarkedText[] = "camvistaMarkedText";

bool usable(QChar c)
{
    return c.isLetterOrNumber();
}

} // namespace

QSet<QChar> mnemonicLettersOf(const QList<QAction *> &entries)
{
    QSet<QChar> taken;
    for (const QAction *entry : entries) {
        const QString text = entry->text();
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&'))
                continue;
            if (text[i + 1] != QLatin1Char('&')) {
                taken.insert(text[i + 1].toLower());
                break;
            }
            ++i; // "&&" is a plain "&"
        }
    }
    return taken;
}

QString withMnemonic(const QString &plain, QSet<QChar> &taken)
{
    qsizetype chosen = -1;
    const auto tryAt = [&](qsizetype i) {
        if (chosen < 0 && usable(plain[i]) && !taken.contains(plain[i].toLower()))
            chosen = i;
    };
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (i == 0 || (!usable(plain[i - 1]) && plain[i - 1] != QLatin1Char('\'')))
            tryAt(i);
    }
    for (qsizetype i = 0; i < plain.size(); ++i)
        tryAt(i);

    QString marked;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (i == chosen)
            marked += QLatin1Char('&');
        marked += plain[i];
        if (plain[i] == QLatin1Char('&'))
            marked += QLatin1Char('&');
    }
    if (chosen >= 0)
        taken.insert(plain[chosen].toLower());
    return marked;
}

void markMnemonics(const QList<QAction *> &fixed, const QList<QAction *> &entries)
{
    QSet<QChar> taken = mnemonicLettersOf(fixed);
    for (QAction *entry : entries) {
        // A text other than the one marked last time is the window's own new text.
        const bool marked = entry->text() == entry->property(kMarkedText).toString();
        const QString plain = marked ? entry->property(kPlainText).toString() : entry->text();
        const QString text = withMnemonic(plain, taken);
        entry->setProperty(kPlainText, plain);
        entry->setProperty(kMarkedText, text);
        if (entry->text() != text)
            entry->setText(text);
    }
}

} // namespace camvista
