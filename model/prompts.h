#pragma once
// The one way commands talk to the user: questions, messages and file
// dialogs. The editor implements it with message boxes and file dialogs; tests
// and the command-line companion implement it with scripted answers.

#include <QString>
#include <QStringList>

namespace lt {

/// A file dialog as a command asks for it. `filter` is written as the
/// command's own text, "Description (*.ext)|*.ext".
struct FileDialogSpec {
    QString title;  // empty: the platform's default title
    QString filter;
    QString defaultExt;  // e.g. "*.vmprj"
    QString fileName;    // proposed file name
    bool confirmOverwrite = false;
};

/// The answer to "Save changes to … before …?".
enum class SaveChoice { Save, Discard, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;
    /// A confirmation box with the buttons Yes and No; true for Yes.
    virtual bool confirm(const QString& question) = 0;
    /// The operator's answer to a question that may be left open.
    enum class Decision { Yes, No, Later };
    /// A question with the buttons Yes, No and Cancel; Cancel, or closing the
    /// box, leaves the matter for later. By default the Yes/No box.
    virtual Decision decide(const QString& question) {
        return confirm(question) ? Decision::Yes : Decision::No;
    }
    /// A message box with one OK button.
    virtual void message(const QString& text) = 0;
    /// A message box with a warning icon and one OK button, for a failure
    /// such as a file that cannot be written.
    virtual void warning(const QString& text) { message(text); }
    /// A routine confirmation that needs no answer ("Project saved as: …"):
    /// the editor shows it in its status bar for a few seconds; prompts
    /// without one show it as a message.
    virtual void note(const QString& text) { message(text); }
    /// A question with the buttons Save, Discard and Cancel, asked before
    /// unsaved changes would be lost. Prompts that cannot offer three answers
    /// ask it as a confirmation, Yes going on without saving.
    virtual SaveChoice askSaveChanges(const QString& question) {
        return confirm(question) ? SaveChoice::Discard : SaveChoice::Cancel;
    }
    /// An open dialog; the chosen path, or an empty string when cancelled.
    virtual QString openFile(const FileDialogSpec& request) = 0;
    /// A save dialog; the chosen path, or an empty string when cancelled.
    virtual QString saveFile(const FileDialogSpec& request) = 0;
    /// The changes a command is about to make, listed under a summary, with
    /// the buttons Apply and Cancel; true for Apply. Prompts that show no
    /// windows apply them.
    virtual bool reviewChanges(const QString& summary, const QStringList& changes) {
        (void)summary;
        (void)changes;
        return true;
    }
};

}  // namespace lt
