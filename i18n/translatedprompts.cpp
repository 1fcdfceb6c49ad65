#include "i18n/translatedprompts.h"

namespace lt::i18n {

TranslatedPrompts::TranslatedPrompts(Prompts& shown)
    : m_shown(shown), m_catalogue(QStringLiteral("Messages"), messageCatalogue()) {}

bool TranslatedPrompts::confirm(const QString& question) {
    return m_shown.confirm(m_catalogue.translateLines(question));
}

Prompts::Decision TranslatedPrompts::decide(const QString& question) {
    return m_shown.decide(m_catalogue.translateLines(question));
}

void TranslatedPrompts::message(const QString& text) {
    m_shown.message(m_catalogue.translateLines(text));
}

void TranslatedPrompts::warning(const QString& text) {
    m_shown.warning(m_catalogue.translateLines(text));
}

void TranslatedPrompts::note(const QString& text) {
    m_shown.note(m_catalogue.translateLines(text));
}

SaveChoice TranslatedPrompts::askSaveChanges(const QString& question) {
    return m_shown.askSaveChanges(m_catalogue.translateLines(question));
}

QString TranslatedPrompts::openFile(const FileDialogSpec& request) {
    return m_shown.openFile(request);
}

QString TranslatedPrompts::saveFile(const FileDialogSpec& request) {
    return m_shown.saveFile(request);
}

bool TranslatedPrompts::reviewChanges(const QString& summary, const QStringList& changes) {
    QStringList shown;
    shown.reserve(changes.size());
    for (const QString& c : changes) shown << m_catalogue.translate(c);
    return m_shown.reviewChanges(m_catalogue.translateLines(summary), shown);
}

}  // namespace lt::i18n
