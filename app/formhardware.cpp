#include "app/formhardware.h"

#include "app/pictures.h"
#include "i18n/gui/languagecontroller.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace lt {

namespace {
constexpr int Width = 411;
constexpr int Height = 446;
constexpr int PictureHeight = 400;
}  // namespace

TFormHardware::TFormHardware(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormHardware"));
    setWindowTitle(tr("Hardware information"));
    setFixedSize(Width, Height);
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(hardwarePicture(Width, PictureHeight)));
    picture->setGeometry(0, 0, Width, PictureHeight);

    m_btnExit = new QPushButton(tr("Exit"), this);
    m_btnExit->setObjectName(QStringLiteral("btnExit"));
    m_btnExit->setGeometry(Width - 12 - 96, PictureHeight + (Height - PictureHeight - 28) / 2, 96, 28);
    m_btnExit->setDefault(true);
    connect(m_btnExit, &QPushButton::clicked, this, &TFormHardware::btnExitClick);
    new i18n::TDKLanguageController(this, QStringLiteral("FormHardware"));
}

void TFormHardware::btnExitClick() {
    accept();
}

}  // namespace lt
