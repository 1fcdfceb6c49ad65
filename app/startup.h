#pragma once
// Start-up of the editor: the splash, the application title and style, the
// windows in their order, then the event loop.

#include <QString>
#include <QStringList>

#include <memory>

class QApplication;

namespace lt {

class AutosaveGuard;
class Document;
class Prompts;
class TMainForm;

/// Everything a run of the editor owns. The windows made after the main
/// window are owned by it; forms() lists all of them.
struct EditorRun {
    std::unique_ptr<Document> doc;
    std::unique_ptr<Prompts> ownPrompts;  // the message boxes and file dialogs
    std::unique_ptr<Prompts> translated;  // those prompts in the interface language
    std::unique_ptr<TMainForm> mainForm;
    AutosaveGuard* autosave = nullptr;  // the autosave timer, owned by the main window
    ~EditorRun();
};

/// The start-up sequence up to the event loop: shows the splash, sets the
/// title, applies the style, creates the windows in order and replaces the
/// splash by the about window. Commands ask through `prompts` when given,
/// else through message boxes and file dialogs.
std::unique_ptr<EditorRun> startEditor(QApplication& app, Prompts* prompts = nullptr);

/// The file the editor was started with: the first argument after the
/// program that is not an option (anything after "--" is a file); empty when
/// there is none.
QString fileFromArguments(const QStringList& arguments);

/// Runs the start-up sequence, switches the interface to the desktop's
/// language when a language file for it is there, shows the main window,
/// opens the file named on the command line and offers back what a run that
/// ended without closing left in the autosave folder, then runs the event
/// loop until the main window closes; returns the process exit code.
int runEditor(QApplication& app);

}  // namespace lt
