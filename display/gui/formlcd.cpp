#include "display/gui/formlcd.h"

#include "display/modules.h"
#include "editor/document.h"
#include "editor/settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lt {

namespace {

/// A small picture of a two-line character LCD.
QPixmap lcdPicture() {
    QPixmap pm(160, 56);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x5E, 0x2E));  // board
    p.drawRoundedRect(QRectF(0, 0, 160, 56), 4, 4);
    p.setBrush(QColor(0x22, 0x22, 0x22));  // bezel
    p.drawRect(QRectF(10, 8, 140, 40));
    p.setBrush(QColor(0x9C, 0xC8, 0x3A));  // glass
    p.drawRect(QRectF(16, 13, 128, 30));
    p.setBrush(QColor(0x80, 0xA8, 0x2C));  // 16 x 2 character cells
    for (int row = 0; row < 2; ++row)
        for (int c = 0; c < 16; ++c) p.drawRect(QRectF(18 + c * 7.8, 16 + row * 13, 6.4, 10.5));
    p.setBrush(QColor(0xB0, 0x90, 0x30));  // contacts
    for (int i = 0; i < 16; ++i) p.drawEllipse(QPointF(20 + i * 7.6, 4), 1.6, 1.6);
    return pm;
}

}  // namespace

TFormLCD::TFormLCD(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormLCD"));
    setWindowTitle(QStringLiteral("LCD Contrast"));
    setModal(true);

    cbLCD = new QComboBox(this);
    cbLCD->setObjectName(QStringLiteral("cbLCD"));
    cbLCD->addItems(lcdTypeTexts());
    cbLCD->setCurrentIndex(0);

    seContrast = new QSpinBox(this);
    seContrast->setObjectName(QStringLiteral("seContrast"));
    seContrast->setRange(ContrastMin, ContrastMax);
    seContrast->setValue(ContrastDefault);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(lcdPicture());

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("LCD type"), cbLCD);
    form->addRow(QStringLiteral("Contrast"), seContrast);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(form, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(buttons);

    connect(cbLCD, &QComboBox::activated, this, &TFormLCD::cbLCDChange);
    connect(btnOK, &QPushButton::clicked, this, &TFormLCD::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TFormLCD::btnCancelClick);
}

void TFormLCD::prepareShow(int lcd) {
    seContrast->setValue(clampContrast(lcd));
    ok = false;
}

int TFormLCD::result(int lcd) const {
    return lcdDialogResult(lcd, ok, seContrast->value());
}

int TFormLCD::ShowModals(int lcd) {
    prepareShow(lcd);
    exec();
    return result(lcd);
}

void TFormLCD::btnOKClick() {
    ok = true;
    accept();
}

void TFormLCD::btnCancelClick() {
    ok = false;
    reject();
}

void TFormLCD::cbLCDChange() {
    seContrast->setValue(ContrastDefault);
}

void LEDContrast1Click(Document& doc, TFormLCD& form) {
    setLcdLevel(doc, form.ShowModals(doc.dane().LCDLevel));
}

}  // namespace lt
