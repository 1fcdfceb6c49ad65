#pragma once
// "LCD Contrast": sets the contrast level of the controller's LCD, stored in
// the project's LCDLevel.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace lt {

class Document;

class TFormLCD : public QDialog {
    Q_OBJECT
public:
    explicit TFormLCD(QWidget* parent = nullptr);

    /// Shows the window modally with the contrast box set to lcd (kept within
    /// 1..16); the box's value after OK, else lcd.
    int ShowModals(int lcd);
    /// The steps of ShowModals before the window is shown.
    void prepareShow(int lcd);
    /// The result once the window has closed.
    int result(int lcd) const;

    /// True when the window was closed with OK.
    bool ok = false;

    QComboBox* cbLCD = nullptr;
    QSpinBox* seContrast = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOKClick();
    void btnCancelClick();
    void cbLCDChange();
    void Image1Click() {}
};

/// Options > "LCD contrast on display".
void LEDContrast1Click(Document& doc, TFormLCD& form);

}  // namespace lt
