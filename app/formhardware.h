#pragma once
// The hardware window `FormHardware`: a fixed picture of the sign controller.

#include <QDialog>

class QPushButton;

namespace lt {

class TFormHardware : public QDialog {
    Q_OBJECT
public:
    explicit TFormHardware(QWidget* owner = nullptr);
    QPushButton* btnExit() const { return m_btnExit; }

public slots:
    void btnExitClick();

private:
    QPushButton* m_btnExit;
};

}  // namespace lt
