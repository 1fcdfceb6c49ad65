#include "app/formcheck.h"

#include "depot/findings.h"
#include "i18n/gui/languagecontroller.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <set>

namespace lt {
namespace {

constexpr int LangRole = Qt::UserRole;
constexpr int ViewRole = Qt::UserRole + 1;

}  // namespace

TFormCheck::TFormCheck(const ProjectFindings& findings, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_findings(findings),
      m_findingTexts(QStringLiteral("FormCheck"), i18n::findingCatalogue()) {
    setObjectName(QStringLiteral("FormCheck"));
    setWindowTitle(tr("Check project"));
    setModal(false);
    resize(760, 420);

    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(tr("Double-click a finding to open its view."), this);
    help->setObjectName(QStringLiteral("lHelp"));
    layout->addWidget(help);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lvFindings"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TFormCheck::findingDoubleClicked);
    layout->addWidget(m_list, 1);

    m_noFindings = new QLabel(tr("No findings: every view in use looks right."), this);
    m_noFindings->setObjectName(QStringLiteral("lNoFindings"));
    m_noFindings->setVisible(false);
    layout->addWidget(m_noFindings);

    auto* foot = new QHBoxLayout;
    auto* lFindings = new QLabel(tr("Findings:"), this);
    lFindings->setObjectName(QStringLiteral("lFindings"));
    m_findingCount = new QLabel(this);
    m_findingCount->setObjectName(QStringLiteral("lFindingCount"));
    auto* lViews = new QLabel(tr("Views with findings:"), this);
    lViews->setObjectName(QStringLiteral("lViews"));
    m_viewCount = new QLabel(this);
    m_viewCount->setObjectName(QStringLiteral("lViewCount"));
    m_btnFit = new QPushButton(tr("Fit texts to the sign"), this);
    m_btnFit->setObjectName(QStringLiteral("btnFit"));
    connect(m_btnFit, &QPushButton::clicked, this, &TFormCheck::fitListedViews);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    foot->addWidget(lFindings);
    foot->addWidget(m_findingCount);
    foot->addSpacing(16);
    foot->addWidget(lViews);
    foot->addWidget(m_viewCount);
    foot->addStretch(1);
    foot->addWidget(m_btnFit);
    foot->addWidget(close);
    layout->addLayout(foot);

    new i18n::TDKLanguageController(this, QStringLiteral("FormCheck"));
    m_findingTexts.onLanguageChange([this] { refresh(); });
}

void TFormCheck::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
}

void TFormCheck::refresh() {
    if (!isVisible()) return;
    const QString chosen = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    const int scrolled = m_list->verticalScrollBar()->value();
    const QList<Finding> findings = m_findings.all();
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    for (const Finding& f : findings) {
        const QString line = m_findingTexts.translate(f.text());
        auto* item = new QListWidgetItem(line, m_list);
        item->setData(LangRole, f.lang);
        item->setData(ViewRole, f.view);
        if (line == chosen) m_list->setCurrentItem(item);
    }
    m_list->verticalScrollBar()->setValue(scrolled);
    m_list->setUpdatesEnabled(true);
    m_noFindings->setVisible(findings.isEmpty());
    m_findingCount->setText(QString::number(findings.size()));
    m_viewCount->setText(QString::number(m_findings.viewsWithFindings()));
    m_btnFit->setEnabled(m_findings.viewsWithFindings() > 0);
}

QString TFormCheck::whyText(const QString& why) const {
    return m_findingTexts.translate(why);
}

QList<QPair<int, int>> TFormCheck::listedViews() const {
    QList<QPair<int, int>> views;
    std::set<QPair<int, int>> seen;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        const QPair<int, int> at{item->data(LangRole).toInt(), item->data(ViewRole).toInt()};
        if (at.second > 0 && seen.insert(at).second) views << at;
    }
    return views;
}

void TFormCheck::findingDoubleClicked(QListWidgetItem* item) {
    const int view = item->data(ViewRole).toInt();
    if (view > 0) emit openView(item->data(LangRole).toInt(), view);
}

}  // namespace lt
