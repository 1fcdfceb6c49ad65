#pragma once
// The texts of a file dialog as translatable properties. The dialogs
// themselves are made only while a command runs; their texts live in the
// document's FileDialogSpec members. The main window makes one DialogTexts per
// dialog, named like the dialog ("OpenDialog"), so the window's language
// controller finds "OpenDialog.Title" like any other component text.

#include "model/prompts.h"

#include <QObject>
#include <QString>

namespace lt::i18n {

/// The preview button of a picture dialog: only its hint is translatable.
class DialogPreviewButton : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
public:
    explicit DialogPreviewButton(QObject* parent);
    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }

private:
    QString m_hint;
};

class DialogTexts : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)
    Q_PROPERTY(QString DefaultExt READ defaultExt WRITE setDefaultExt)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
public:
    /// Reads and writes `request`, which must outlive this object; with a null
    /// `request` the texts are kept here (a dialog no command shows).
    DialogTexts(const QString& name, FileDialogSpec* request, QObject* parent);

    FileDialogSpec& request() { return *m_spec; }
    DialogPreviewButton* previewButton() const { return m_preview; }

    QString title() const { return m_spec->title; }
    void setTitle(const QString& v) { m_spec->title = v; }
    QString filter() const { return m_spec->filter; }
    void setFilter(const QString& v) { m_spec->filter = v; }
    QString defaultExt() const { return m_spec->defaultExt; }
    void setDefaultExt(const QString& v) { m_spec->defaultExt = v; }
    QString fileName() const { return m_spec->fileName; }
    void setFileName(const QString& v) { m_spec->fileName = v; }

private:
    FileDialogSpec m_own;
    FileDialogSpec* m_spec;
    DialogPreviewButton* m_preview;
};

}  // namespace lt::i18n
