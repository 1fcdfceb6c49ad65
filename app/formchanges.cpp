#include "app/formchanges.h"

#include "i18n/gui/languagecontroller.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lt {

TFormChanges::TFormChanges(const QString& summary, const QStringList& changes, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormChanges"));
    setWindowTitle(tr("Changes to the project"));
    setModal(true);
    resize(520, 420);

    m_lSummary = new QLabel(summary, this);
    m_lSummary->setObjectName(QStringLiteral("lSummary"));
    m_lSummary->setWordWrap(true);
    m_lChanges = new QLabel(tr("The views change as listed:"), this);
    m_lChanges->setObjectName(QStringLiteral("lChanges"));
    m_lbChanges = new QListWidget(this);
    m_lbChanges->setObjectName(QStringLiteral("lbChanges"));
    m_lbChanges->addItems(changes);
    m_lChanges->setBuddy(m_lbChanges);
    m_btnApply = new QPushButton(tr("Apply"), this);
    m_btnApply->setObjectName(QStringLiteral("btnApply"));
    m_btnApply->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lSummary);
    layout->addWidget(m_lChanges);
    layout->addWidget(m_lbChanges, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnApply);
    buttons->addWidget(m_btnCancel);
    layout->addLayout(buttons);

    connect(m_btnApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    new i18n::TDKLanguageController(this, QStringLiteral("FormChanges"));
}

}  // namespace lt
