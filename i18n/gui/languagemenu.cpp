#include "i18n/gui/languagemenu.h"

#include "i18n/gui/qttranslations.h"
#include "i18n/langmanager.h"
#include "widgets/apptitle.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QWidget>

namespace lt::i18n {

LanguageMenu::LanguageMenu(QWidget* mainWindow, QMenu* smViewLanguage, Prompts* prompts)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_menu(smViewLanguage), m_prompts(prompts) {
    setObjectName(QStringLiteral("LanguageMenu"));
}

void LanguageMenu::CreateLanguageMenu() {
    if (!m_menu) return;
    TDKLanguageManager& lm = LangManager();
    for (int i = 0; i < lm.GetLanguageCount(); ++i) {
        auto* item = new QAction(lm.GetLanguageNames(i), m_menu);
        item->setCheckable(true);
        item->setChecked(false);
        item->setEnabled(true);
        item->setData(lm.GetLanguageIDs(i));
        connect(item, &QAction::triggered, this, [this, item] { LanguageItemClick(item); });
        m_menu->addAction(item);
    }
}

void LanguageMenu::switchTo(int id) {
    const QString error = LangManager().SetLanguageID(id);
    // Qt's own texts follow the language the interface now speaks.
    useQtTranslations(LangManager().GetLanguageID());
    if (error.isEmpty()) return;
    // The editor always hands its prompts; without them the refusal is only logged.
    if (m_prompts)
        m_prompts->warning(error);
    else
        qWarning("%s", qPrintable(error));
}

void LanguageMenu::LanguageItemClick(QAction* item) {
    if (!item) return;
    switchTo(item->data().toInt());
    UpdateState();
}

void LanguageMenu::UpdateState() {
    // The main window's caption without the file's name that its title adds.
    if (m_mainWindow) {
        const QVariant caption = m_mainWindow->property("caption");
        setApplicationTitle(caption.isValid() ? caption.toString() : m_mainWindow->windowTitle());
    }
    if (!m_menu) return;
    const int current = LangManager().GetLanguageID();
    for (QAction* item : m_menu->actions())
        if (item->isCheckable()) item->setChecked(item->data().toInt() == current);
}

void LanguageMenu::chooseLanguageFor(const QLocale& locale) {
    switchTo(LangManager().languageForLocale(locale));
    UpdateState();
}

void LanguageMenu::cbLanguageChange(QComboBox* cbLanguage) {
    if (!cbLanguage) return;
    const int index = cbLanguage->currentIndex();
    switchTo(LangManager().GetLanguageIDs(index < 0 ? 0 : index));
}

void LanguageMenu::connectLanguageBox(QComboBox* cbLanguage) {
    if (!cbLanguage) return;
    connect(cbLanguage, &QComboBox::currentIndexChanged, this,
            [this, cbLanguage] { cbLanguageChange(cbLanguage); });
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

LanguageMenu* installLanguageMenu(QWidget* mainWindow, QMenu* smViewLanguage, Prompts* prompts,
                                  QComboBox* cbLanguage, const QString& folder) {
    LangManager().ScanForLangFiles(folder.isEmpty() ? programFolder() : folder, QStringLiteral("*.lng"),
                                   false);
    auto* menu = new LanguageMenu(mainWindow, smViewLanguage, prompts);
    menu->CreateLanguageMenu();
    menu->connectLanguageBox(cbLanguage);
    menu->UpdateState();
    return menu;
}

}  // namespace lt::i18n
