#pragma once

#include <QList>
#include <QSet>
#include <QString>

class QAction;

namespace camvista
{

// The letters already taken in a menu bar, lower case.
QSet<QChar> mnemonicLettersOf(const QList<QAction *> &entries);

// `plain` as a menu text whose mnemonic is a letter not yet in `taken` (which gets it): the
// first letter of the text, else the first letter of a later word, else any letter or digit.
// Every "&" of `plain` stays a plain "&". A text with no free letter gets no mnemonic.
QString withMnemonic(const QString &plain, QSet<QChar> &taken);

// Gives each of `entries`, whose texts their windows set as plain text, a mnemonic of its own
// beside those of `fixed`, whose texts carry theirs. An entry whose window sets a new text
// later is marked again by the next call.
void markMnemonics(const QList<QAction *> &fixed, const QList<QAction *> &entries);

} // namespace camvista
