#include "display/gui/formmodules.h"

#include "display/gui/modulepictures.h"
#include "editor/document.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lt {

TFormModules::TFormModules(Document& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setObjectName(QStringLiteral("FormModules"));
    setWindowTitle(QStringLiteral("Display model"));
    setModal(true);

    cbModules = new QComboBox(this);
    cbModules->setObjectName(QStringLiteral("cbModules"));
    cbModules->setEditable(true);
    // Typed text never joins the list: it holds the catalogue lines only.
    cbModules->setInsertPolicy(QComboBox::NoInsert);
    cbModules->addItem(QStringLiteral("cbModules"));  // design-time placeholder, replaced in FormCreate
    cbModules->setMinimumWidth(320);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(ModulePictureWidth, ModulePictureHeight);
    Image1->setScaledContents(true);
    Image1->setFrameShape(QFrame::StyledPanel);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    Memo->setFont(mono);
    Memo->setFixedHeight(ModulePictureHeight);
    Memo->setMinimumWidth(300);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* picture = new QHBoxLayout;
    picture->addWidget(Image1);
    picture->addWidget(Memo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(cbModules);
    main->addLayout(picture);
    main->addLayout(buttons);

    FormCreate();

    connect(cbModules, &QComboBox::currentIndexChanged, this, &TFormModules::cbModulesChange);
    connect(Button1, &QPushButton::clicked, this, &TFormModules::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormModules::Button2Click);
}

void TFormModules::FormCreate() {
    m_catalogue = buildModuleCatalogue();
    m_images = moduleImageList(m_catalogue);
    const QSignalBlocker block(cbModules);
    cbModules->clear();
    cbModules->addItems(m_catalogue.cboxTexts());
}

int TFormModules::chosenPosition() const {
    const int pos = cbModules->currentIndex();
    if (pos < 0 || cbModules->currentText() != cbModules->itemText(pos)) return -1;
    return pos;
}

void TFormModules::prepareShow() {
    closed = false;
    const QSignalBlocker block(cbModules);
    cbModules->setCurrentIndex(moduleListPosition(m_doc.dane(), m_catalogue));
    cbModulesChange();
}

void TFormModules::ShowModals() {
    prepareShow();
    exec();
}

void TFormModules::cbModulesChange() {
    const int pos = cbModules->currentIndex();
    if (pos < 0 || pos >= m_catalogue.ModuleCount) return;
    QString name = QString::fromLatin1(m_catalogue.module(pos + 1).Name);
    name.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (name.endsWith(QLatin1Char('\n'))) name.chop(1);
    Memo->setPlainText(name);
    DrawImage();
}

void TFormModules::DrawImage() {
    const int pos = cbModules->currentIndex();
    QPixmap picture(ModulePictureWidth, ModulePictureHeight);
    picture.fill(Qt::white);
    if (pos >= 0 && pos < m_images.size()) {
        QPainter p(&picture);
        p.drawImage(0, 0, m_images[pos]);
    }
    Image1->setPixmap(picture);
}

void TFormModules::Button1Click() {
    applyModuleChoice(m_doc.dane(), m_catalogue, chosenPosition());
    closed = true;
    accept();
}

void TFormModules::Button2Click() {
    closed = false;
    reject();
}

void mnModulesClick(TFormModules& form) {
    form.ShowModals();
}

}  // namespace lt
