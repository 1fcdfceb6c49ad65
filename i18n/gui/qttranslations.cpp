#include "i18n/gui/qttranslations.h"

#include "i18n/langnames.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace lt::i18n {

namespace {

struct Loaded {
    std::unique_ptr<QTranslator> translator;
    QString language;
};

Loaded& loaded() {
    static Loaded l;
    return l;
}

}  // namespace

bool useQtTranslations(int lcid) {
    Loaded& l = loaded();
    if (l.translator) QCoreApplication::removeTranslator(l.translator.get());
    l.translator.reset();
    l.language.clear();
    const LocaleParts parts = localeForId(lcid);
    if (parts.language == QLocale::AnyLanguage || parts.language == QLocale::English) return false;
    const QLocale locale(parts.language, parts.territory);
    // qtbase_XX.qm: the widgets' texts, the dialogs' and the buttons'.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    l.translator = std::move(translator);
    l.language = QLocale::languageToCode(parts.language);
    return true;
}

QString qtTranslationsLanguage() {
    return loaded().language;
}

}  // namespace lt::i18n
