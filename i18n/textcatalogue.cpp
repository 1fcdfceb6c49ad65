#include "i18n/textcatalogue.h"

#include "i18n/langfile.h"

namespace lt::i18n {

namespace {

/// How deep the words of a text are looked up in turn ("%1 (back in use)"
/// holds a change line, which holds a region word).
constexpr int MostDepth = 10;

/// Whether a text is a word joined to a word ("left and right", "size 9 ->
/// 8, X 2 -> 0"): such a text is translated only when every word it joins
/// is a catalogue text, so a destination name with a comma stays whole.
bool isJoin(const QString& english) {
    return english == QLatin1String("%1, %2") || english == QLatin1String("%1 and %2");
}

const QRegularExpression& placeholder() {
    static const QRegularExpression re(QStringLiteral("%(\\d)"));
    return re;
}

/// Puts args[n - 1] where %n stands, in one pass, so a word that itself holds
/// "%1" stays as it is.
QString fill(const QString& text, const QStringList& args) {
    QString out;
    qsizetype from = 0;
    auto it = placeholder().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        out += text.mid(from, m.capturedStart() - from);
        out += n >= 1 && n <= args.size() ? args[n - 1] : m.captured();
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

}  // namespace

TextCatalogue::TextCatalogue(const QString& section, std::span<const CatalogueText> texts)
    : m_section(section) {
    for (const CatalogueText& t : texts) {
        const QStringList lines = QString::fromUtf8(t.english).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            Pattern p{t.id, lines.size() > 1 ? i + 1 : 0, lines[i], {}, {}, {}, {}};
            QString re;
            qsizetype from = 0;
            auto it = placeholder().globalMatch(p.english);
            while (it.hasNext()) {
                const QRegularExpressionMatch m = it.next();
                re += QRegularExpression::escape(p.english.mid(from, m.capturedStart() - from));
                re += QStringLiteral("(.*?)");
                p.places << m.captured(1).toInt();
                p.quoted << (m.capturedStart() > 0 &&
                             p.english.at(m.capturedStart() - 1) == QLatin1Char('"'));
                from = m.capturedEnd();
            }
            re += QRegularExpression::escape(p.english.mid(from));
            p.match.setPattern(QStringLiteral("\\A") + re + QStringLiteral("\\z"));
            p.match.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
            m_patterns.push_back(std::move(p));
        }
    }
    LangManager().AddLanguageController(this);
}

TextCatalogue::~TextCatalogue() {
    LangManager().RemoveLanguageController(this);
}

void TextCatalogue::applyTranslations(const WindowTexts* texts) {
    m_cache.clear();
    m_translated = texts != nullptr;
    for (Pattern& p : m_patterns) {
        p.shown.clear();
        if (!texts) continue;
        const auto it = texts->find(p.id);
        if (it == texts->end()) continue;
        QString value = it->second;
        value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (p.line > 0) {
            const QStringList lines = splitLangLines(it->second);
            value = p.line <= lines.size() ? lines[p.line - 1] : QString();
        }
        p.shown = value;
    }
    if (m_changed) m_changed();
}

const TextCatalogue::Pattern* TextCatalogue::find(const QString& text, QRegularExpressionMatch* m) const {
    for (const Pattern& p : m_patterns) {
        if (isJoin(p.english)) continue;  // see joined()
        // A text without words to fill is compared whole, which is faster.
        if (p.places.isEmpty()) {
            if (p.english == text) return &p;
            continue;
        }
        *m = p.match.match(text);
        if (m->hasMatch()) return &p;
    }
    return nullptr;
}

bool TextCatalogue::knows(const QString& text) const {
    QString unused;
    return translateDeep(text, 0, &unused);
}

bool TextCatalogue::fillIn(const Pattern& p, const QRegularExpressionMatch& m, int depth,
                           QString* out) const {
    const QString& target = p.shown.isEmpty() ? p.english : p.shown;
    QStringList args;
    for (int i = 0; i < p.places.size(); ++i) {
        const int n = p.places[i];
        if (args.size() < n) args.resize(n);
        const QString word = m.captured(i + 1);
        // A quoted word is the project's own text (a name, a reading).
        if (p.quoted[i] || word.startsWith(QLatin1Char('"'))) {
            args[n - 1] = word;
            continue;
        }
        if (!translateDeep(word, depth + 1, &args[n - 1]) && isJoin(p.english)) return false;
    }
    *out = fill(target, args);
    return true;
}

bool TextCatalogue::joined(const QString& text, int depth, QString* out) const {
    for (const Pattern& p : m_patterns) {
        if (!isJoin(p.english)) continue;
        // The joining words of the English and of the translation.
        const QString sep = p.english.mid(2, p.english.size() - 4);
        const QString& target = p.shown.isEmpty() ? p.english : p.shown;
        for (qsizetype at = text.indexOf(sep); at > 0; at = text.indexOf(sep, at + 1)) {
            QString left, right;
            if (translateDeep(text.left(at), depth + 1, &left) &&
                translateDeep(text.mid(at + sep.size()), depth + 1, &right)) {
                *out = fill(target, {left, right});
                return true;
            }
        }
    }
    return false;
}

bool TextCatalogue::translateDeep(const QString& text, int depth, QString* out) const {
    *out = text;
    if (text.isEmpty() || depth > MostDepth) return false;
    // Within a text, words joined into one come first, so "face A -> B, X 1
    // -> 0" is two changes, not a face changed to "B, X 1 -> 0". A whole
    // message or line is never split so: its last word may be a name.
    if (depth > 0 && joined(text, depth, out)) return true;
    QRegularExpressionMatch m;
    const Pattern* p = find(text, &m);
    if (!p) return false;
    if (p->places.isEmpty()) {
        *out = p->shown.isEmpty() ? p->english : p->shown;
        return true;
    }
    if (!fillIn(*p, m, depth, out)) {
        *out = text;
        return false;
    }
    return true;
}

QString TextCatalogue::translate(const QString& text) const {
    if (!m_translated) return text;
    const auto it = m_cache.constFind(text);
    if (it != m_cache.constEnd()) return it.value();
    QString out;
    translateDeep(text, 0, &out);
    if (m_cache.size() > 20000) m_cache.clear();
    m_cache.insert(text, out);
    return out;
}

QString TextCatalogue::translateLines(const QString& text) const {
    if (!text.contains(QLatin1Char('\n'))) return translate(text);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = translate(line);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace lt::i18n
