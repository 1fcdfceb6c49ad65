#pragma once
// What the pendrive file's 8-bit texts carry for a project text. Latin-1
// characters keep their byte and the Polish letters their codes; any other
// character is written as the nearest thing the stick can show: a letter
// without its accent, a plain dash or quote, the letters of a ligature, or
// "?" when there is nothing near. No character becomes a control byte or a
// letter it is not.

#include "model/records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lt {

/// Whether the 8-bit texts carry the character as it is: Latin-1, or one of
/// the Polish letters with a code of their own.
bool isCarried(char32_t cp);

/// The byte or bytes written for one character; empty for an accent standing
/// on its own (a combining mark) and for invisible format characters.
QByteArray carriedBytes(char32_t cp);

/// A text as the 8-bit texts carry it.
struct CarriedText {
    QByteArray bytes;
    bool changed = false;  // some character is not carried as it is
};
CarriedText carryText(QStringView text);

/// The carried bytes read back as the sign reads them: the codes 1..8 as the
/// small Polish letters, every other byte as Latin-1.
QString carriedReading(const QByteArray& bytes);

/// One line per text of the project that the pendrive file carries changed,
/// for the languages and views in use: `1/12 top: "Plzeň" is carried as
/// "Plzen"` (`language 2: ...` for a language name).
QStringList carryWarnings(const sDane& dane);

}  // namespace lt
