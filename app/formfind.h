#pragma once
// The find window `FormFind` ("Find a destination"): finds views by
// destination name or region text across the languages in use and opens the
// one chosen as a double-click in the grid opens it. It stays open beside
// the main window, so one result after another can be opened.

#include "depot/findviews.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lt {

class Document;

namespace views {
class ViewsPanel;
}

class TFormFind : public QDialog {
    Q_OBJECT
public:
    TFormFind(Document& doc, views::ViewsPanel& panel, QWidget* owner = nullptr);

    QLineEdit* eFind() const { return m_eFind; }
    QListWidget* lbFound() const { return m_lbFound; }
    QPushButton* btnOpen() const { return m_btnOpen; }
    QPushButton* btnClose() const { return m_btnClose; }
    /// The views the list shows, in its order.
    const QList<FoundView>& found() const { return m_found; }

    /// Shows the window (raised, the search text selected) with the results
    /// found again, since the project may have changed while it was hidden.
    void ShowFind();

public slots:
    /// The list follows the search text.
    void eFindChange();
    /// Opens the selected result in the views list.
    void btnOpenClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Document& m_doc;
    views::ViewsPanel& m_panel;
    QLabel* m_lFind;
    QLineEdit* m_eFind;
    QListWidget* m_lbFound;
    QPushButton* m_btnOpen;
    QPushButton* m_btnClose;
    QList<FoundView> m_found;
};

}  // namespace lt
