#include "app/formfind.h"

#include "editor/document.h"
#include "i18n/gui/languagecontroller.h"
#include "views/viewspanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace lt {

TFormFind::TFormFind(Document& doc, views::ViewsPanel& panel, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_doc(doc),
      m_panel(panel) {
    setObjectName(QStringLiteral("FormFind"));
    setWindowTitle(tr("Find a destination"));
    setModal(false);
    resize(460, 360);

    m_lFind = new QLabel(tr("Destination name or text"), this);
    m_lFind->setObjectName(QStringLiteral("lFind"));
    m_eFind = new QLineEdit(this);
    m_eFind->setObjectName(QStringLiteral("eFind"));
    m_eFind->setClearButtonEnabled(true);
    m_lFind->setBuddy(m_eFind);
    m_lbFound = new QListWidget(this);
    m_lbFound->setObjectName(QStringLiteral("lbFound"));
    m_btnOpen = new QPushButton(tr("Open"), this);
    m_btnOpen->setObjectName(QStringLiteral("btnOpen"));
    m_btnOpen->setDefault(true);
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_lFind, 0, 0);
    layout->addWidget(m_eFind, 1, 0);
    layout->addWidget(m_lbFound, 2, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOpen);
    buttons->addWidget(m_btnClose);
    layout->addLayout(buttons, 3, 0);

    connect(m_eFind, &QLineEdit::textChanged, this, &TFormFind::eFindChange);
    connect(m_btnOpen, &QPushButton::clicked, this, &TFormFind::btnOpenClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::close);
    connect(m_lbFound, &QListWidget::itemActivated, this, &TFormFind::btnOpenClick);
    m_eFind->installEventFilter(this);
    new i18n::TDKLanguageController(this, QStringLiteral("FormFind"));
}

bool TFormFind::eventFilter(QObject* watched, QEvent* event) {
    // Down in the search field moves into the results, on the first one.
    if (watched == m_eFind && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_PageDown) && m_lbFound->count() > 0) {
            if (m_lbFound->currentRow() < 0) m_lbFound->setCurrentRow(0);
            m_lbFound->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormFind::ShowFind() {
    eFindChange();
    show();
    raise();
    activateWindow();
    m_eFind->setFocus();
    m_eFind->selectAll();
}

void TFormFind::eFindChange() {
    const sDane& d = m_doc.dane();
    m_found = findViews(d, m_eFind->text());
    m_lbFound->clear();
    for (const FoundView& f : m_found) {
        QString line =
            QStringLiteral("%1 %2: %3").arg(ReadText(d.Lang[f.lang - 1].Nazwa)).arg(f.view).arg(f.name);
        if (!f.text.isEmpty()) line += QStringLiteral(" \u2014 ") + f.text.simplified();
        auto* item = new QListWidgetItem(line, m_lbFound);
        // A view not in use is found, but shown as the grid shows it: without
        // its picture, so greyed here.
        if (!f.inUse) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    if (!m_found.isEmpty()) m_lbFound->setCurrentRow(0);
    m_btnOpen->setEnabled(!m_found.isEmpty());
}

void TFormFind::btnOpenClick() {
    const int row = m_lbFound->currentRow();
    if (row < 0 || row >= m_found.size()) return;
    const FoundView f = m_found[row];
    m_panel.goToView(f.lang, f.view);
    // Opening may have switched the view on: the list shows it.
    eFindChange();
    m_lbFound->setCurrentRow(std::min<int>(row, m_lbFound->count() - 1));
}

}  // namespace lt
