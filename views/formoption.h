#pragma once
// The display-languages dialog `FormOption` ("Options"): the names of the
// three languages and the use flags of languages 2 and 3.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace lt {
class Document;
}

namespace lt::views {

class TFormOption : public QDialog {
    Q_OBJECT
public:
    TFormOption(Document& doc, QTabWidget& tabs, QWidget* parent = nullptr);

    QLineEdit* edLang1() const { return m_edLang1; }
    QLineEdit* edLang2() const { return m_edLang2; }
    QLineEdit* edLang3() const { return m_edLang3; }
    QCheckBox* cbLang2() const { return m_cbLang2; }
    QCheckBox* cbLang3() const { return m_cbLang3; }

    /// Fills the boxes from Dane.Lang (each name up to its terminator).
    void fillFromProject();
    /// Fills, shows modally at the mouse position, then fixes the active tab.
    void ShowModals();
    /// Applies the boxes to Dane.Lang and the tabs, then closes.
    void btnOKClick();
    void btnCancelClick();
    void cbLang2Click();
    void cbLang3Click();

private:
    Document& m_doc;
    QTabWidget& m_tabs;
    QLineEdit* m_edLang1;
    QLineEdit* m_edLang2;
    QLineEdit* m_edLang3;
    QCheckBox* m_cbLang2;
    QCheckBox* m_cbLang3;
};

}  // namespace lt::views
