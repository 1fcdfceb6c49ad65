#pragma once
// Qt's own texts (the file dialogs, the standard Yes/No/Cancel/Save/Discard
// buttons) in the interface language, from the translations Debian ships
// with Qt (qt6-translations-l10n).

#include <QString>

namespace lt::i18n {

/// Loads Qt's translations for the interface language `lcid` (1045 Polish,
/// 1031 German) in place of the ones loaded before; English, or a language
/// Qt has no translations for, leaves Qt's texts as they are written. True
/// when translations for the language were found.
bool useQtTranslations(int lcid);

/// The locale name of the Qt translations in use ("pl", "de"); empty while
/// Qt speaks English.
QString qtTranslationsLanguage();

}  // namespace lt::i18n
