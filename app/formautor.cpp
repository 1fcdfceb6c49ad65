#include "app/formautor.h"

#include "app/pictures.h"
#include "i18n/gui/languagecontroller.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace lt {

namespace {
constexpr int Width = 504;
constexpr int Height = 432;
constexpr int PictureHeight = 352;
}  // namespace

TFormAutor::TFormAutor(QWidget* owner, bool withExit) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FormAutor"));
    setWindowTitle(tr("Information"));
    setFixedSize(Width, Height);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#FormAutor { background: white; border: 1px solid #9fb0c1; }"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(aboutPicture(Width - 2, PictureHeight)));
    picture->setGeometry(1, 1, Width - 2, PictureHeight);

    m_lVersion = new QLabel(this);
    m_lVersion->setObjectName(QStringLiteral("lVersion"));
    m_lVersion->setAlignment(Qt::AlignCenter);
    m_lVersion->setGeometry(20, PictureHeight + 8, Width - 40, 20);
    m_lVersion->setStyleSheet(QStringLiteral("color: #34506b; font-weight: bold;"));
    m_lVersion->setVisible(false);

    m_btnExit = new QPushButton(tr("Exit"), this);
    m_btnExit->setObjectName(QStringLiteral("btnExit"));
    m_btnExit->setGeometry(Width - 20 - 96, Height - 16 - 28, 96, 28);
    m_btnExit->setVisible(withExit);
    connect(m_btnExit, &QPushButton::clicked, this, &TFormAutor::btnExitClick);
    new i18n::TDKLanguageController(this, QStringLiteral("FormAutor"));
}

void TFormAutor::ShowModals(const QString& mainCaption) {
    m_lVersion->setText(mainCaption);
    m_lVersion->setVisible(true);
    exec();
}

void TFormAutor::btnExitClick() {
    accept();
}

}  // namespace lt
