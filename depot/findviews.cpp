#include "depot/findviews.h"

#include "model/sign.h"

namespace lt {

namespace {

/// The regions a view type shows, in the order the sign reads them: the
/// route number, the top line, the bottom line.
QList<const sScreenImage*> shownRegions(const sWidok& w) {
    QList<const sScreenImage*> regions;
    if (showsRegion(w.TypWidoku, Region::Lewy)) regions.append(&w.Lewy);
    regions.append(&w.Gorny);
    if (showsRegion(w.TypWidoku, Region::Dolny)) regions.append(&w.Dolny);
    return regions;
}

}  // namespace

QString findKey(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    bool blank = false;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c.isSpace()) {
            blank = !key.isEmpty();
            continue;
        }
        if (blank) key.append(QLatin1Char(' '));
        blank = false;
        // The stroke letters have no decomposition of their own.
        if (c == QChar(0x0141) || c == QChar(0x0142))
            key.append(QLatin1Char('l'));
        else
            key.append(c.toCaseFolded());
    }
    return key;
}

QList<FoundView> findViews(const sDane& d, const QString& query) {
    QList<FoundView> found;
    const QString key = findKey(query);
    if (key.isEmpty()) return found;
    for (int l = 1; l <= LanguageCount; ++l) {
        if (l > 1 && !isTrue(d.Lang[l - 1].Use)) continue;
        for (int v = 1; v <= ViewCount; ++v) {
            const sWidok& w = widok(d, l, v);
            FoundView f{l, v, ReadText(w.NazwaKursu), QString(), isTrue(w.use)};
            bool match = findKey(f.name).contains(key);
            for (const sScreenImage* r : shownRegions(w)) {
                if (match) break;
                const QString text = ReadText(r->Text);
                if (findKey(text).contains(key)) {
                    f.text = text;
                    match = true;
                }
            }
            if (match) found.append(f);
        }
    }
    return found;
}

}  // namespace lt
