#include "views/viewspanel.h"

#include "model/document.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

    // The grids of views take this place.
    auto* grids = new QLabel(tr("Views list"), this);
    grids->setObjectName(QStringLiteral("pcsg1"));
    grids->setAlignment(Qt::AlignCenter);
    grids->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(grids, 1);

    auto* gbNazwaProjektu = new QGroupBox(tr("Project name"), this);
    gbNazwaProjektu->setObjectName(QStringLiteral("gbNazwaProjektu"));
    auto* nameLayout = new QVBoxLayout(gbNazwaProjektu);
    nameLayout->setContentsMargins(8, 12, 8, 8);
    m_eNazwaProjektu = new QLineEdit(gbNazwaProjektu);
    m_eNazwaProjektu->setObjectName(QStringLiteral("eNazwaProjektu"));
    m_eNazwaProjektu->setMaxLength(126);
    nameLayout->addWidget(m_eNazwaProjektu);
    layout->addWidget(gbNazwaProjektu);
}

void ViewsPanel::gridsRepaint() {
    update();
}

void ViewsPanel::languagesChanged() {}

void ViewsPanel::activateFirstTab() {}

}  // namespace lt::views
