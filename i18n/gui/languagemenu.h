#pragma once
// The main window's side of the interface language: the "Program language"
// submenu built from the languages found at start-up, its check marks, the
// application title, and the hidden language box.

#include "model/prompts.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QComboBox;
class QLocale;
class QMenu;
class QWidget;

namespace lt::i18n {

class LanguageMenu : public QObject {
    Q_OBJECT
public:
    /// `prompts` shows a language file that fails to load; it must outlive
    /// this object. With null prompts the failure goes to a message box.
    LanguageMenu(QWidget* mainWindow, QMenu* smViewLanguage, Prompts* prompts);

    /// One item per language of the manager's list: caption the language's
    /// name, tag (the action's data) its identifier, unchecked, enabled.
    void CreateLanguageMenu();
    /// `SetLanguageID(tag of the item)`, then UpdateState.
    void LanguageItemClick(QAction* item);
    /// Application title from the main window's caption; each item checked
    /// exactly when its tag is the current language.
    void UpdateState();
    /// The hidden language box: its selected position (-1 taken as 0) picks
    /// the language; the check marks are left as they are.
    void cbLanguageChange(QComboBox* cbLanguage);
    /// Starts in the language listed for the desktop's `locale` (see
    /// TDKLanguageManager::languageForLocale), then UpdateState.
    void chooseLanguageFor(const QLocale& locale);
    /// Calls cbLanguageChange whenever the box's selection changes.
    void connectLanguageBox(QComboBox* cbLanguage);

private:
    void switchTo(int id);

    QPointer<QWidget> m_mainWindow;
    QPointer<QMenu> m_menu;
    Prompts* m_prompts;
};

/// The folder of the running program, where the language files lie.
QString programFolder();

/// Start-up of the interface language, as the main window's creation runs it
/// right after hiding its editing panel: scans `folder` (the program's folder
/// when empty) for "*.lng" files without descending into subfolders, builds
/// the submenu and runs UpdateState. The menu object is a child of
/// `mainWindow`.
LanguageMenu* installLanguageMenu(QWidget* mainWindow, QMenu* smViewLanguage, Prompts* prompts,
                                  QComboBox* cbLanguage = nullptr, const QString& folder = QString());

}  // namespace lt::i18n
