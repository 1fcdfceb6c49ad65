#pragma once
// "Display model": chooses the LED module of the sign from the catalogue and
// stores it in the project's ModuleNr and ModuleType.

#include "display/modules.h"

#include <QDialog>
#include <QImage>
#include <QList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lt {

class Document;

class TFormModules : public QDialog {
    Q_OBJECT
public:
    explicit TFormModules(Document& doc, QWidget* parent = nullptr);

    /// Preselects the project's module and shows the window modally.
    void ShowModals();
    /// The steps of ShowModals before the window is shown.
    void prepareShow();

    const ModuleCatalogue& catalogue() const { return m_catalogue; }
    /// True after OK, false after Cancel and while the window is open.
    bool closed = false;

    QComboBox* cbModules = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;  // OK
    QPushButton* Button2 = nullptr;  // Cancel

public slots:
    void cbModulesChange();
    void DrawImage();
    void Button1Click();
    void Button2Click();

private:
    void FormCreate();
    /// The chosen list position, or -1 when the list holds typed text.
    int chosenPosition() const;

    Document& m_doc;
    ModuleCatalogue m_catalogue;
    QList<QImage> m_images;  // the image list, one picture per catalogue entry
};

/// Options > "Display model".
void mnModulesClick(TFormModules& form);

}  // namespace lt
