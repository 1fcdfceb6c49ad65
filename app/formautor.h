#pragma once
// The about window `FormAutor`: the start-up splash and Help > Information.

#include <QDialog>

class QLabel;
class QPushButton;

namespace lt {

class TFormAutor : public QDialog {
    Q_OBJECT
public:
    /// `withExit` false makes the splash: the same window without its button.
    explicit TFormAutor(QWidget* owner = nullptr, bool withExit = true);

    /// Shows the main window's caption in `lVersion` and runs the window
    /// modally until its "Exit" button closes it.
    void ShowModals(const QString& mainCaption);

    QLabel* lVersion() const { return m_lVersion; }
    QPushButton* btnExit() const { return m_btnExit; }

public slots:
    void btnExitClick();

private:
    QLabel* m_lVersion;
    QPushButton* m_btnExit;
};

}  // namespace lt
