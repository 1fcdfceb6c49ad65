#include "depot/findings.h"

#include "depot/legibility.h"

namespace lt {
namespace {

bool sameFindings(const QList<Finding>& a, const QList<Finding>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].text() != b[i].text()) return false;
    return true;
}

bool languageInUse(const sDane& d, int lang) {
    return lang == 1 || isTrue(d.Lang[lang - 1].Use);
}

}  // namespace

ProjectFindings::ProjectFindings()
    : m_views(LanguageCount * ViewCount), m_routes(LanguageCount * ViewCount) {}

void ProjectFindings::checkLanguageViews(const sDane& d, int lang) {
    for (int v = 1; v <= ViewCount; ++v) {
        m_views[index(lang, v)] = checkView(d, lang, v);
        m_routes[index(lang, v)] = routeOf(widok(d, lang, v));
    }
}

void ProjectFindings::recheckAll(const sDane& d) {
    for (int l = 1; l <= LanguageCount; ++l) {
        m_inUse[l - 1] = languageInUse(d, l);
        m_languages[l - 1] = checkLanguage(d, l);
        checkLanguageViews(d, l);
    }
}

bool ProjectFindings::recheckLanguages(const sDane& d) {
    bool changed = false;
    for (int l = 1; l <= LanguageCount; ++l) {
        QList<Finding> found = checkLanguage(d, l);
        if (!sameFindings(found, m_languages[l - 1])) {
            m_languages[l - 1] = std::move(found);
            changed = true;
        }
        if (languageInUse(d, l) != m_inUse[l - 1]) {
            m_inUse[l - 1] = !m_inUse[l - 1];
            checkLanguageViews(d, l);
            changed = true;
        }
    }
    return changed;
}

bool ProjectFindings::recheckOne(const sDane& d, int lang, int view) {
    QList<Finding> found = checkView(d, lang, view);
    QList<Finding>& stored = m_views[index(lang, view)];
    if (sameFindings(found, stored)) return false;
    stored = std::move(found);
    return true;
}

bool ProjectFindings::recheckView(const sDane& d, int lang, int view) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return false;
    bool changed = recheckOne(d, lang, view);
    const QString before = m_routes[index(lang, view)];
    const QString now = routeOf(widok(d, lang, view));
    m_routes[index(lang, view)] = now;
    for (int v = 1; v <= ViewCount; ++v) {
        const QString& route = m_routes[index(lang, v)];
        if (v == view || route.isEmpty() || (route != before && route != now)) continue;
        changed = recheckOne(d, lang, v) || changed;
    }
    return changed;
}

const QList<Finding>& ProjectFindings::of(int lang, int view) const {
    static const QList<Finding> none;
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return none;
    return m_views[index(lang, view)];
}

QList<Finding> ProjectFindings::all() const {
    QList<Finding> out;
    for (int l = 1; l <= LanguageCount; ++l) {
        out += m_languages[l - 1];
        for (int v = 1; v <= ViewCount; ++v) out += m_views[index(l, v)];
    }
    return out;
}

int ProjectFindings::viewsWithFindings() const {
    int n = 0;
    for (const QList<Finding>& f : m_views) n += f.isEmpty() ? 0 : 1;
    return n;
}

}  // namespace lt
