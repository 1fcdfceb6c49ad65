#pragma once
// The window `FormChanges`: the changes a command is about to make to the
// project (an import's views: kept, new, gone, refitted), listed under a
// summary, with Apply and Cancel.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace lt {

class TFormChanges : public QDialog {
    Q_OBJECT
public:
    TFormChanges(const QString& summary, const QStringList& changes, QWidget* owner = nullptr);

    QLabel* lSummary() const { return m_lSummary; }
    QListWidget* lbChanges() const { return m_lbChanges; }
    QPushButton* btnApply() const { return m_btnApply; }
    QPushButton* btnCancel() const { return m_btnCancel; }

private:
    QLabel* m_lSummary;
    QLabel* m_lChanges;
    QListWidget* m_lbChanges;
    QPushButton* m_btnApply;
    QPushButton* m_btnCancel;
};

}  // namespace lt
