// The main window's commands beyond the original editor: the check window
// and its marks in the views grids, fitting texts to the sign, and importing
// destinations from a timetable feed or a destination list.
#include "app/formcheck.h"
#include "app/mainform.h"
#include "depot/destinations.h"
#include "depot/findings.h"
#include "depot/fit.h"
#include "editor/projectcommands.h"
#include "model/plural.h"
#include "views/viewsgrid.h"

#include <QTabWidget>

#include <set>

namespace lt {
namespace {

/// Fit changes listed in the summary; the rest are counted.
constexpr int ShownChanges = 12;

}  // namespace

TFormCheck* TMainForm::formCheck() {
    if (!m_formCheck) {
        m_formCheck = new TFormCheck(*m_findings, this);
        connect(m_formCheck, &TFormCheck::openView, this, &TMainForm::openView);
        connect(m_formCheck, &TFormCheck::fitListedViews, this, &TMainForm::fitListedViews);
    }
    return m_formCheck;
}

void TMainForm::viewChanged(int lang, int view) {
    if (!m_findings->recheckView(m_doc.dane(), lang, view)) return;
    gridsRepaint();
    if (m_formCheck && !m_fitting) m_formCheck->refresh();
}

void TMainForm::projectChanged() {
    m_findings->recheckAll(m_doc.dane());
    gridsRepaint();
    if (m_formCheck) m_formCheck->refresh();
}

void TMainForm::reloadEdited() {
    UstawWidokZDanych();
    cbRuchDolnyChange();
    cbRuchGornyChange();
    cbRuchLewyChange();
    m_doc.RenderLED();
    m_doc.RenderActiveBitmapSG();
    ColorsRepaint();
}

void TMainForm::openView(int lang, int view) {
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return;
    // The tab change loads that language's edited view, as a click on the
    // tab does; then the row is clicked and double-clicked.
    m_gbWidoki->pcsg1()->setCurrentIndex(lang - 1);
    if (m_gbWidoki->pcsg1()->currentIndex() != lang - 1) return;  // the language is not shown
    m_gbWidoki->grid(lang)->selectCell(1, view);
    m_gbWidoki->sgDblClick();
}

void TMainForm::CheckProject1Click() {
    TFormCheck* form = formCheck();
    form->show();
    form->raise();
    form->activateWindow();
}

void TMainForm::FitTexts1Click() {
    const sDane& d = m_doc.dane();
    const int lang = editLang(d);
    const int view = editRow(d);
    if (!isTrue(widok(d, lang, view).use)) return;
    m_doc.changeView(QStringLiteral("Fit"), lang, view, [&] {
        if (fitView(m_doc.dane(), lang, view).isEmpty()) return;
        reloadEdited();
    });
}

void TMainForm::fitListedViews() {
    QList<FitChange> changes;
    std::set<QPair<int, int>> changed;
    m_doc.change(QStringLiteral("Fit"), [&] {
        // The list is made again once at the end, not after every view.
        m_fitting = true;
        for (const auto& [lang, view] : formCheck()->listedViews()) {
            const QList<FitChange> fitted = fitView(m_doc.dane(), lang, view);
            if (fitted.isEmpty()) continue;
            changes += fitted;
            changed.insert({lang, view});
            m_doc.renderView(lang, view);
        }
        m_fitting = false;
        formCheck()->refresh();
        if (changed.count({editLang(m_doc.dane()), editRow(m_doc.dane())})) reloadEdited();
    });
    if (changes.isEmpty()) {
        m_prompts.note(QStringLiteral("Every listed text already fits the sign."));
        return;
    }
    QStringList lines{countOf(changes.size(), "region", "regions") + QStringLiteral(" fitted in ") +
                      countOf(qsizetype(changed.size()), "view", "views") + QLatin1Char(':')};
    for (qsizetype i = 0; i < changes.size() && i < ShownChanges; ++i) lines << changes[i].text();
    if (changes.size() > ShownChanges)
        lines << QStringLiteral("and %1 more").arg(changes.size() - ShownChanges);
    m_prompts.message(lines.join(QLatin1Char('\n')));
}

void TMainForm::ImportDestinations1Click() {
    importDestinationsClick(m_doc, m_prompts, ImportDestinationsDialog);
    // The imported views may have put the edited one in or out of use.
    setPanelMainVisible(isTrue(m_doc.edited().use));
}

}  // namespace lt
