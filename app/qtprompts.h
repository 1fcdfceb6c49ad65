#pragma once
// The editor's Prompts: message boxes and the platform's file dialogs.

#include "model/prompts.h"

#include <QPointer>
#include <QWidget>

namespace lt {

/// Converts a filter written as "Description (*.ext)|*.ext", with any number
/// of pairs, into the form of a Qt file dialog ("Description (*.ext);;...").
QString toQtFilter(const QString& filter);
/// The suffix of a default extension written as "*.ext" or ".ext" ("ext").
QString toDefaultSuffix(const QString& defaultExt);

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool confirm(const QString& question) override;
    Decision decide(const QString& question) override;
    void message(const QString& text) override;
    void warning(const QString& text) override;
    /// In the status bar of the parent window for a few seconds; a message
    /// box when the parent has no status bar.
    void note(const QString& text) override;
    SaveChoice askSaveChanges(const QString& question) override;
    QString openFile(const FileDialogSpec& request) override;
    QString saveFile(const FileDialogSpec& request) override;
    bool reviewChanges(const QString& summary, const QStringList& changes) override;

private:
    QString runDialog(const FileDialogSpec& request, bool save);
    QPointer<QWidget> m_parent;
};

}  // namespace lt
