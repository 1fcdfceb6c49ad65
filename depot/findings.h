#pragma once
// The findings of the checks kept view by view for the editor: the whole
// project is checked when it is replaced, and only the edited view when the
// operator changes it, so typing in a text box stays fast with 900 views.

#include "depot/checks.h"

#include <QList>

#include <array>
#include <vector>

namespace lt {

class ProjectFindings {
public:
    ProjectFindings();

    /// Checks the whole project again (what checkProject does).
    void recheckAll(const sDane& d);
    /// Checks the language findings again, and the views of every language
    /// whose use changed since the last check. True when anything differs.
    bool recheckLanguages(const sDane& d);
    /// Checks one view again, and the other views of its route before and
    /// after (one route is drawn one way in all its views); true when any of
    /// their findings differ from before.
    bool recheckView(const sDane& d, int lang, int view);

    /// The findings of one view (empty outside the project).
    const QList<Finding>& of(int lang, int view) const;
    bool hasFindings(int lang, int view) const { return !of(lang, view).isEmpty(); }
    /// Every finding in the order checkProject lists them.
    QList<Finding> all() const;
    /// How many views have at least one finding.
    int viewsWithFindings() const;

private:
    static int index(int lang, int view) { return (lang - 1) * ViewCount + (view - 1); }
    void checkLanguageViews(const sDane& d, int lang);
    bool recheckOne(const sDane& d, int lang, int view);

    std::vector<QList<Finding>> m_views;  // by index(lang, view)
    std::array<QList<Finding>, LanguageCount> m_languages;
    std::array<bool, LanguageCount> m_inUse{};
    std::vector<QString>
        m_routes;  // the route in each view's left box when last checked, by index(lang, view)
};

}  // namespace lt
