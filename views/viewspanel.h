#pragma once
// The views list on the left of the main window (`gbWidoki`, "Views"): the
// per-language grids of views and, at its foot, the project-name box.

#include <QGroupBox>

class QLineEdit;

namespace lt {
class Document;
}

namespace lt::views {

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
};

/// The group "Views" (`gbWidoki`, 393 pixels wide, font "Verdana").
class ViewsPanel : public QGroupBox {
    Q_OBJECT
public:
    ViewsPanel(Document& doc, EditorHost& host, QWidget* parent = nullptr);

    /// The project-name box `eNazwaProjektu` ("Project name", at most 126
    /// characters); the editor window binds it to Dane.ProjName.
    QLineEdit* eNazwaProjektu() const { return m_eNazwaProjektu; }

    /// Repaints the three views grids.
    void gridsRepaint();
    /// Tab captions and visibility from Dane.Lang.
    void languagesChanged();
    /// Makes the first language tab the active one.
    void activateFirstTab();

private:
    Document& m_doc;
    EditorHost& m_host;
    QLineEdit* m_eNazwaProjektu;
};

}  // namespace lt::views
