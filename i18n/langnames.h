#pragma once
// Display names of the Windows locale identifiers (LCID) that language files
// declare, from Qt's locale database.

#include <QLocale>
#include <QString>

namespace lt::i18n {

/// "Polish (Poland)" for 1045, "English (United States)" for 1033; the
/// identifier in decimal when the locale database knows no language for it.
QString languageNameForId(int lcid);

/// The language and, where the identifier names one, the territory of an
/// identifier; AnyLanguage / AnyTerritory where the table knows none.
struct LocaleParts {
    QLocale::Language language = QLocale::AnyLanguage;
    QLocale::Territory territory = QLocale::AnyTerritory;
};
LocaleParts localeForId(int lcid);

}  // namespace lt::i18n
