#include "views/formoption.h"

#include "editor/document.h"
#include "editor/gridrules.h"

#include <QCheckBox>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace lt::views {

TFormOption::TFormOption(Document& doc, QTabWidget& tabs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_doc(doc), m_tabs(tabs) {
    setObjectName(QStringLiteral("FormOption"));
    setWindowTitle(tr("Options"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);
    setFixedSize(241, 116);

    auto* gbLang = new QGroupBox(tr("Languages"), this);
    gbLang->setObjectName(QStringLiteral("gbLang"));
    gbLang->setGeometry(4, 2, 233, 82);
    auto label = [&](const char* name, const QString& text, int y) {
        auto* l = new QLabel(text, gbLang);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(8, y + 3, 50, 16);
    };
    auto edit = [&](const char* name, int y) {
        auto* e = new QLineEdit(gbLang);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(60, y, 118, 20);
        return e;
    };
    auto check = [&](const char* name, int y) {
        auto* c = new QCheckBox(tr("use"), gbLang);
        c->setObjectName(QString::fromLatin1(name));
        c->setGeometry(184, y + 2, 45, 16);
        return c;
    };
    label("Label1", tr("Primary"), 16);
    m_edLang1 = edit("edLang1", 16);
    label("Label2", tr("Second"), 37);
    m_edLang2 = edit("edLang2", 37);
    m_cbLang2 = check("cbLang2", 37);
    label("Label3", tr("Third"), 58);
    m_edLang3 = edit("edLang3", 58);
    m_cbLang3 = check("cbLang3", 58);

    auto* btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setGeometry(80, 88, 75, 24);
    auto* btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(161, 88, 75, 24);

    connect(btnOK, &QPushButton::clicked, this, &TFormOption::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TFormOption::btnCancelClick);
    connect(m_cbLang2, &QCheckBox::toggled, this, &TFormOption::cbLang2Click);
    connect(m_cbLang3, &QCheckBox::toggled, this, &TFormOption::cbLang3Click);

    // FormCreate: empty boxes, both languages off, their names disabled.
    cbLang2Click();
    cbLang3Click();
}

void TFormOption::fillFromProject() {
    const sDane& d = m_doc.dane();
    m_edLang1->setText(ReadText(d.Lang[0].Nazwa));
    m_edLang2->setText(ReadText(d.Lang[1].Nazwa));
    m_cbLang2->setChecked(isTrue(d.Lang[1].Use));
    m_edLang3->setText(ReadText(d.Lang[2].Nazwa));
    m_cbLang3->setChecked(isTrue(d.Lang[2].Use));
}

void TFormOption::ShowModals() {
    fillFromProject();
    move(QCursor::pos());
    exec();
    // Only SelWidok and the active tab change: the panel is not reloaded.
    const int tab = fixActiveTab(m_doc.dane());
    const QSignalBlocker block(&m_tabs);
    m_tabs.setCurrentIndex(tab);
    m_doc.observer().gridsRepaint();
}

void TFormOption::btnOKClick() {
    m_doc.change(QStringLiteral("Languages"), [this] {
        m_doc.applyLanguages(m_edLang1->text(), m_edLang2->text(), m_cbLang2->isChecked(), m_edLang3->text(),
                             m_cbLang3->isChecked());
    });
    // Tabs 2 and 3 show the names as typed, even beyond what the project holds.
    m_tabs.setTabText(1, m_edLang2->text());
    m_tabs.setTabText(2, m_edLang3->text());
    accept();
}

void TFormOption::btnCancelClick() {
    reject();
}

void TFormOption::cbLang2Click() {
    m_edLang2->setEnabled(m_cbLang2->isChecked());
}

void TFormOption::cbLang3Click() {
    m_edLang3->setEnabled(m_cbLang3->isChecked());
}

}  // namespace lt::views
