#pragma once
// Texts the additions build at run time from words and numbers: the whys of
// the check window's findings, the summaries and messages of the commands.
// A catalogue holds each such text once, in English, with %1.. where its
// words and numbers go; a language file gives the same texts in another
// language under the catalogue's section, so the word order may differ. A
// text made from a catalogue entry is put into the interface language by
// taking its words and numbers out of the English and into the translation,
// each word itself translated when the catalogue has it.

#include "i18n/langmanager.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

namespace lt::i18n {

/// One text of a catalogue: its entry number in the section and its English.
/// An entry whose English holds line feeds is a list: one text per line,
/// translated line by line in the same order.
struct CatalogueText {
    int id;
    const char* english;
};

class TextCatalogue : public LanguageTarget {
public:
    /// Registers with the language manager, which puts the current language
    /// in at once.
    TextCatalogue(const QString& section, std::span<const CatalogueText> texts);
    ~TextCatalogue() override;
    TextCatalogue(const TextCatalogue&) = delete;
    TextCatalogue& operator=(const TextCatalogue&) = delete;

    /// Runs `changed` after every change of language, to show the texts again.
    void onLanguageChange(std::function<void()> changed) { m_changed = std::move(changed); }

    QString languageWindowName() const override { return m_section; }
    void applyTranslations(const WindowTexts* texts) override;

    /// `text` in the interface language when it is one of the catalogue's
    /// texts, as it is otherwise (and always in the default language).
    QString translate(const QString& text) const;
    /// The same for each line of a text of several lines.
    QString translateLines(const QString& text) const;
    /// Whether `text` is one of the catalogue's texts.
    bool knows(const QString& text) const;

private:
    struct Pattern {
        int id;
        int line;  // within a list entry; 0 for a single text
        QString english;
        QRegularExpression match;
        QList<int> places;  // the placeholder numbers in the order they occur
        QList<bool> quoted;  // whether each stands in quotes: the project's own text, kept
        QString shown;      // the translation; empty: the English
    };
    const Pattern* find(const QString& text, QRegularExpressionMatch* m) const;
    /// The words of `m` put into the translation of `p`; false when `p` joins
    /// words and one of them is no catalogue text.
    bool fillIn(const Pattern& p, const QRegularExpressionMatch& m, int depth, QString* out) const;
    /// `text` as two catalogue texts joined ("A, B"), split where both
    /// halves are catalogue texts; false when it splits nowhere so.
    bool joined(const QString& text, int depth, QString* out) const;
    /// `text` translated into *out; false when it is no catalogue text.
    bool translateDeep(const QString& text, int depth, QString* out) const;

    QString m_section;
    std::vector<Pattern> m_patterns;
    bool m_translated = false;  // a language file's section is applied
    std::function<void()> m_changed;
    mutable QHash<QString, QString> m_cache;  // texts already translated, by their English
};

/// The messages of the additions' commands, section "Messages".
std::span<const CatalogueText> messageCatalogue();
/// The finding texts of the check window, section "FormCheck".
std::span<const CatalogueText> findingCatalogue();

}  // namespace lt::i18n
