#include "views/viewspanel.h"

#include "editor/document.h"
#include "render/preview.h"
#include "views/formoption.h"
#include "views/viewsgrid.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lt::views {

ViewsPanel::ViewsPanel(Document& doc, EditorHost& host, QWidget* parent)
    : QGroupBox(tr("Views"), parent), m_doc(doc), m_host(host) {
    setObjectName(QStringLiteral("gbWidoki"));
    setFont(QFont(QStringLiteral("Verdana")));
    setFixedWidth(393);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 14, 8, 8);
    layout->setSpacing(8);

    m_pcsg1 = new QTabWidget(this);
    m_pcsg1->setObjectName(QStringLiteral("pcsg1"));
    m_pmSG = new QMenu(this);
    m_pmSG->setObjectName(QStringLiteral("pmSG"));
    for (int l = 1; l <= LanguageCount; ++l) {
        auto* grid = new ViewsGrid(doc, m_state, l);
        m_sg[l - 1] = grid;
        auto* tab = new QWidget;
        tab->setObjectName(QStringLiteral("tsView%1").arg(l));
        auto* tabLayout = new QVBoxLayout(tab);
        tabLayout->setContentsMargins(0, 0, 0, 0);
        tabLayout->addWidget(grid);
        // The window's own caption; start-up puts the language's name there.
        // A switch of interface language back to the default one shows it.
        m_pcsg1->addTab(tab, tr("Language %1").arg(l));
        connect(grid, &ViewsGrid::cellClicked, this, &ViewsPanel::sgClick);
        connect(grid, &ViewsGrid::cellDoubleClicked, this, &ViewsPanel::sgDblClick);
        connect(grid, &ViewsGrid::contextMenuAt, m_pmSG, [this](const QPoint& at) { m_pmSG->popup(at); });
        connect(grid->sbtn(), &UpDown::up, this, &ViewsPanel::sbtnUpClick);
        connect(grid->sbtn(), &UpDown::down, this, &ViewsPanel::sbtnDownClick);
    }
    connect(m_pcsg1, &QTabWidget::currentChanged, this, &ViewsPanel::pcsg1Change);
    layout->addWidget(m_pcsg1, 1);

    auto addItem = [this](const char* name, const QString& text, void (ViewsPanel::*slot)(),
                          QKeySequence keys) {
        QAction* a = m_pmSG->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            for (ViewsGrid* g : m_sg) g->addAction(a);
        }
        if (slot) connect(a, &QAction::triggered, this, slot);
        return a;
    };
    addItem("pmDefault", tr("Default"), &ViewsPanel::pmDefaultClick, QKeySequence());
    addItem("pmCopy", tr("Copy"), &ViewsPanel::pmCopyClick, QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem("pmPaste", tr("Paste"), &ViewsPanel::pmPasteClick, QKeySequence(Qt::CTRL | Qt::Key_V));
    addItem("pmActivate", tr("Activate"), nullptr, QKeySequence())->setVisible(false);
    addItem("Unactivate", tr("Unactivate"), nullptr, QKeySequence())->setVisible(false);
    m_pmSG->addSeparator();
    m_pmCopyLanguage = m_pmSG->addMenu(tr("Copy all views over"));
    m_pmCopyLanguage->setObjectName(QStringLiteral("pmCopyLanguage"));
    for (int l = 1; l <= LanguageCount; ++l) {
        QAction* a = m_pmCopyLanguage->addAction(QString());
        a->setObjectName(QStringLiteral("pmCopyLanguage%1").arg(l));
        connect(a, &QAction::triggered, this, [this, l] { pmCopyLanguageClick(l); });
    }
    connect(m_pmSG, &QMenu::aboutToShow, this, &ViewsPanel::updateCopyLanguageItems);
    m_copyLanguageQuestion =
        tr("Copy all 300 views of \"%1\" over \"%2\"? Every view of \"%2\" is replaced.");

    // "Languages" at the top right, over the tab row.
    m_btnSetLang = new QPushButton(tr("Languages"), this);
    m_btnSetLang->setObjectName(QStringLiteral("btnSetLang"));
    m_btnSetLang->adjustSize();
    connect(m_btnSetLang, &QPushButton::clicked, this, &ViewsPanel::btnSetLangClick);

    auto* gbNazwaProjektu = new QGroupBox(tr("Project name"), this);
    gbNazwaProjektu->setObjectName(QStringLiteral("gbNazwaProjektu"));
    auto* nameLayout = new QVBoxLayout(gbNazwaProjektu);
    nameLayout->setContentsMargins(8, 12, 8, 8);
    m_eNazwaProjektu = new QLineEdit(gbNazwaProjektu);
    m_eNazwaProjektu->setObjectName(QStringLiteral("eNazwaProjektu"));
    m_eNazwaProjektu->setMaxLength(limits::ProjName);
    nameLayout->addWidget(m_eNazwaProjektu);
    layout->addWidget(gbNazwaProjektu);

    m_formOption = new TFormOption(doc, *m_pcsg1, this);
    // Only the visibility here: the captions stay the window's own until
    // start-up puts the project's language names on the tabs.
    for (int l = 0; l < LanguageCount; ++l)
        m_pcsg1->setTabVisible(l, l == 0 || isTrue(doc.dane().Lang[l].Use));
}

void ViewsPanel::resizeEvent(QResizeEvent* e) {
    QGroupBox::resizeEvent(e);
    m_btnSetLang->move(width() - 8 - m_btnSetLang->width(), 12);
    m_btnSetLang->raise();
}

void ViewsPanel::setFindings(const ProjectFindings* findings) {
    for (ViewsGrid* g : m_sg) g->setFindings(findings);
    gridsRepaint();
}

void ViewsPanel::setWhyText(const std::function<QString(const QString&)>& whyText) {
    for (ViewsGrid* g : m_sg) g->setWhyText(whyText);
}

void ViewsPanel::gridsRepaint() {
    for (ViewsGrid* g : m_sg) g->viewport()->update();
}

void ViewsPanel::languagesChanged() {
    const sDane& d = m_doc.dane();
    const QSignalBlocker block(m_pcsg1);
    for (int l = 0; l < LanguageCount; ++l) {
        m_pcsg1->setTabText(l, ReadText(d.Lang[l].Nazwa));
        m_pcsg1->setTabVisible(l, l == 0 || isTrue(d.Lang[l].Use));
    }
    gridsRepaint();
}

void ViewsPanel::activateFirstTab() {
    const QSignalBlocker block(m_pcsg1);
    m_pcsg1->setCurrentIndex(0);
    gridsRepaint();
}

void ViewsPanel::loadEdited() {
    m_host.UstawWidokZDanych();
    m_host.cbRuchDolnyChange();
    m_host.cbRuchGornyChange();
    m_host.cbRuchLewyChange();
    m_doc.RenderLED();
    m_doc.RenderActiveBitmapSG();
    m_host.ColorsRepaint();
}

void ViewsPanel::sgClick() {
    PanelChange change = PanelChange::None;
    m_doc.change(QStringLiteral("Use"), [&] { change = views::sgClick(m_doc.dane(), m_state); });
    // A click on the switch puts the view in or out of use.
    const sDane& d = m_doc.dane();
    if (d.SelectCol == 3 && d.SelectRow >= 1 && d.SelectRow <= ViewCount)
        m_doc.viewChanged(editLang(d), d.SelectRow);
    switch (change) {
        case PanelChange::Show: m_host.setPanelMainVisible(true); break;
        case PanelChange::Hide: m_host.setPanelMainVisible(false); break;
        case PanelChange::None: break;
    }
    gridsRepaint();
}

void ViewsPanel::sgDblClick() {
    // Opening a view is navigation, but it puts the view in use.
    m_doc.change(QStringLiteral("Use"), [&] {
        if (!views::sgDblClick(m_doc.dane())) return;
        loadEdited();
        m_host.setPanelMainVisible(true);
        gridsRepaint();
    });
}

void ViewsPanel::pcsg1Change(int index) {
    m_doc.change(QStringLiteral("Display time"), [&] {
        if (views::pcsg1Change(m_doc.dane(), index + 1)) {
            loadEdited();
            m_host.setPanelMainVisible(true);
        } else {
            m_host.setPanelMainVisible(false);
        }
        gridsRepaint();
    });
}

void ViewsPanel::sbtnUpClick() {
    m_doc.change(QStringLiteral("Display time"), [&] {
        if (views::sbtnUpClick(m_doc.dane())) gridsRepaint();
    });
}

void ViewsPanel::sbtnDownClick() {
    m_doc.change(QStringLiteral("Display time"), [&] {
        if (views::sbtnDownClick(m_doc.dane())) gridsRepaint();
    });
}

void ViewsPanel::pmDefaultClick() {
    m_doc.change(QStringLiteral("Default"), [&] {
        if (!views::pmDefaultClick(m_doc.dane())) return;
        loadEdited();
        gridsRepaint();
    });
}

void ViewsPanel::pmCopyClick() {
    views::pmCopyClick(m_doc.dane(), m_doc.copyWidok());
}

void ViewsPanel::pmPasteClick() {
    m_doc.change(QStringLiteral("Paste"), [&] {
        if (!views::pmPasteClick(m_doc.dane(), m_doc.copyWidok())) return;
        loadEdited();
        gridsRepaint();
    });
}

void ViewsPanel::btnSetLangClick() {
    m_formOption->ShowModals();
}

void ViewsPanel::updateCopyLanguageItems() {
    const sDane& d = m_doc.dane();
    const QList<QAction*> items = m_pmCopyLanguage->actions();
    for (int l = 1; l <= LanguageCount && l <= items.size(); ++l) {
        QAction* a = items[l - 1];
        a->setText(QStringLiteral("%1: %2").arg(l).arg(ReadText(d.Lang[l - 1].Nazwa)));
        a->setVisible(l != editLang(d));
        a->setEnabled(l == 1 || isTrue(d.Lang[l - 1].Use));
    }
}

void ViewsPanel::pmCopyLanguageClick(int to) {
    sDane& d = m_doc.dane();
    const int from = editLang(d);
    if (to < 1 || to > LanguageCount || to == from || (to > 1 && !isTrue(d.Lang[to - 1].Use))) return;
    const QString question = QString(m_copyLanguageQuestion)
                                 .replace(QLatin1String("%1"), ReadText(d.Lang[from - 1].Nazwa))
                                 .replace(QLatin1String("%2"), ReadText(d.Lang[to - 1].Nazwa));
    if (!m_host.prompts().confirm(question)) return;
    m_doc.change(QStringLiteral("Copy all views over"), [&] {
        if (!views::copyLanguage(d, from, to)) return;
        RenderLanguageBitmapsSG(d, m_doc.surfaces(), to);
        // The thumbnails went through the preview: the edited view comes back.
        m_doc.RenderLED();
        gridsRepaint();
    });
}

void ViewsPanel::goToView(int lang, int view) {
    const sDane& d = m_doc.dane();
    if (lang < 1 || lang > LanguageCount || view < 1 || view > ViewCount) return;
    if (lang > 1 && !isTrue(d.Lang[lang - 1].Use)) return;
    if (m_pcsg1->currentIndex() != lang - 1)
        m_pcsg1->setCurrentIndex(lang - 1);  // as the operator's tab change
    else if (d.SelWidok != lang)
        pcsg1Change(lang - 1);
    ViewsGrid* g = grid(lang);
    m_state.SGMouseWheel = false;  // a click, not a wheel turn
    g->selectCell(1, view);
    g->setFocus();
    if (isTrue(widok(d, lang, view).use)) sgDblClick();
}

}  // namespace lt::views
