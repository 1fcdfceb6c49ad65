#pragma once
// The check window `FormCheck` (Edit > "Check project…"): what would look
// wrong on the sign, finding by finding, as `linetint-cli check` lists it.
// A double-click opens the finding's view for editing; "Fit texts to the
// sign" fits every view the list names. The list follows the project as the
// operator edits it.

#include "i18n/textcatalogue.h"

#include <QDialog>
#include <QList>
#include <QPair>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lt {

class ProjectFindings;

class TFormCheck : public QDialog {
    Q_OBJECT
public:
    TFormCheck(const ProjectFindings& findings, QWidget* owner);

    /// Lists the findings again, keeping the chosen finding and the place in
    /// the list where they still exist. Does nothing while the window is
    /// hidden; showing it lists them.
    void refresh();

    QListWidget* lvFindings() const { return m_list; }
    QPushButton* btnFit() const { return m_btnFit; }
    QLabel* lNoFindings() const { return m_noFindings; }
    /// The (language, view) of every view the list names, in list order.
    QList<QPair<int, int>> listedViews() const;
    /// A finding's why (or region word) in the interface language, where it
    /// has an entry.
    QString whyText(const QString& why) const;

signals:
    /// A finding about a view was double-clicked.
    void openView(int lang, int view);
    /// "Fit texts to the sign" was pressed.
    void fitListedViews();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void findingDoubleClicked(QListWidgetItem* item);

    const ProjectFindings& m_findings;
    QListWidget* m_list;
    i18n::TextCatalogue m_findingTexts;  // the findings in the interface language
    QLabel* m_noFindings;
    QLabel* m_findingCount;
    QLabel* m_viewCount;
    QPushButton* m_btnFit;
};

}  // namespace lt
