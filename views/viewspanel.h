#pragma once
// The views list on the left of the main window (`gbWidoki`, "Views"): the
// per-language grids of views and, at its foot, the project-name box.

#include "editor/gridrules.h"
#include "model/prompts.h"

#include <QGroupBox>

#include <functional>

class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace lt {
class Document;
class ProjectFindings;
}  // namespace lt

namespace lt::views {

class ViewsGrid;
class TFormOption;

/// What the views list asks of the editor window when it opens a view or
/// switches languages.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    /// `UstawWidokZDanych`: load the edited view into the editing panel.
    virtual void UstawWidokZDanych() = 0;
    /// The movement handlers, run in the order bottom, top, left after a view
    /// was loaded, to start or stop the animations of that view.
    virtual void cbRuchDolnyChange() = 0;
    virtual void cbRuchGornyChange() = 0;
    virtual void cbRuchLewyChange() = 0;
    /// `ColorsRepaint`: the six colour swatches from the edited view.
    virtual void ColorsRepaint() = 0;
    /// Shows or hides `PanelMain` (preview and editing groups).
    virtual void setPanelMainVisible(bool visible) = 0;
    /// Where the views list asks its questions.
    virtual Prompts& prompts() = 0;
};

/// The group "Views" (`gbWidoki`, 393 pixels wide, font "Verdana").
class ViewsPanel : public QGroupBox {
    Q_OBJECT
    /// The question before "Copy all views over" ("%1" the current
    /// language's name, "%2" the other one's); a translatable text.
    Q_PROPERTY(QString CopyLanguageQuestion MEMBER m_copyLanguageQuestion)
public:
    ViewsPanel(Document& doc, EditorHost& host, QWidget* parent = nullptr);

    /// The project-name box `eNazwaProjektu` ("Project name", at most 126
    /// characters); the editor window binds it to Dane.ProjName.
    QLineEdit* eNazwaProjektu() const { return m_eNazwaProjektu; }

    /// The findings the grids mark views by.
    void setFindings(const ProjectFindings* findings);
    /// How the grids' finding tooltips word a why (ViewsGrid::setWhyText).
    void setWhyText(const std::function<QString(const QString&)>& whyText);
    /// Repaints the three views grids.
    void gridsRepaint();
    /// Tab captions and visibility from Dane.Lang.
    void languagesChanged();
    /// Makes the first language tab the active one.
    void activateFirstTab();

    QTabWidget* pcsg1() const { return m_pcsg1; }
    ViewsGrid* grid(int lang) const { return m_sg[lang - 1]; }
    TFormOption* FormOption() const { return m_formOption; }
    QMenu* pmSG() const { return m_pmSG; }
    GridState& gridState() { return m_state; }

    // The grid handlers, on the current tab's language.
    void sgClick();
    void sgDblClick();
    void pcsg1Change(int index);
    void sbtnUpClick();
    void sbtnDownClick();
    void pmDefaultClick();
    void pmCopyClick();
    void pmPasteClick();
    void btnSetLangClick();
    /// "Copy all views over" language `to`: asks first, then copies the 300
    /// views of the current language over it and renders its thumbnails.
    void pmCopyLanguageClick(int to);
    /// The submenu `pmCopyLanguage`: one item per other language, named by
    /// the language, enabled when the language is in use.
    QMenu* pmCopyLanguage() const { return m_pmCopyLanguage; }

    /// Goes to view `view` of language `lang` as the operator would: the
    /// language's tab, then a click on the view's destination cell; a view in
    /// use is then opened as a double-click opens it, one not in use stays
    /// selected. Nothing happens for a language not in use.
    void goToView(int lang, int view);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    /// Loads the edited view as opening a view does: panel, movement handlers
    /// bottom, top, left, thumbnail, swatches.
    void loadEdited();
    void updateCopyLanguageItems();

    Document& m_doc;
    EditorHost& m_host;
    GridState m_state;
    QLineEdit* m_eNazwaProjektu;
    QTabWidget* m_pcsg1;
    ViewsGrid* m_sg[LanguageCount];
    QPushButton* m_btnSetLang;
    QMenu* m_pmSG;
    QMenu* m_pmCopyLanguage;
    QString m_copyLanguageQuestion;
    TFormOption* m_formOption;
};

}  // namespace lt::views
