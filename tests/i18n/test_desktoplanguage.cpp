// The interface language chosen from the desktop's locale at start-up.
#include "app/formfind.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "editor/document.h"
#include "i18n/gui/languagemenu.h"
#include "i18n/langmanager.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"
#include "widgets/editorwidgets.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace lt::i18n {
namespace {

struct LocaleCase {
    const char* locale;
    int expected;
};

class DesktopLanguage : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(DesktopLanguage, ListedLanguageOfTheLocaleElseTheDefault) {
    TDKLanguageManager manager;
    ASSERT_EQ(manager.ScanForLangFiles(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang"),
                                       QStringLiteral("*.lng"), false),
              2);
    EXPECT_EQ(manager.languageForLocale(QLocale(QString::fromLatin1(GetParam().locale))),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, DesktopLanguage,
                         ::testing::Values(LocaleCase{"pl_PL", 1045}, LocaleCase{"de_DE", 1031},
                                           // The same language in another country.
                                           LocaleCase{"de_AT", 1031}, LocaleCase{"de_CH", 1031},
                                           // English, or a language without a file.
                                           LocaleCase{"en_US", 1033}, LocaleCase{"en_GB", 1033},
                                           LocaleCase{"fr_FR", 1033}, LocaleCase{"C", 1033}));

TEST(DesktopLanguageFiles, TheCountryDecidesBetweenFilesOfOneLanguage) {
    lt::test::TempDir dir;
    const auto write = [&](const char* name, int id) {
        QFile f(dir.file(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArrayLiteral("LANGID=") + QByteArray::number(id) + "\n[MainForm]\n");
    };
    write("a.lng", 0x0C07);  // German (Austria)
    write("b.lng", 0x0807);  // German (Switzerland)
    TDKLanguageManager manager;
    ASSERT_EQ(manager.ScanForLangFiles(dir.path(), QStringLiteral("*.lng"), false), 2);
    EXPECT_EQ(manager.languageForLocale(QLocale(QStringLiteral("de_CH"))), 0x0807);
    EXPECT_EQ(manager.languageForLocale(QLocale(QStringLiteral("de_AT"))), 0x0C07);
    EXPECT_EQ(manager.languageForLocale(QLocale(QStringLiteral("de_DE"))), 0x0C07);  // the first one listed
    EXPECT_EQ(manager.languageForLocale(QLocale(QStringLiteral("pl_PL"))), 1033);
}

/// The editor on a Polish desktop, with the Polish file beside it.
TEST(DesktopLanguageEditor, PolishDesktopGivesPolishWindows) {
    LangManager().Reset();
    ASSERT_TRUE(
        LangManager().RegisterLangFile(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/polski.lng")));
    lt::test::ScriptedPrompts prompts;
    {
        std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
        TMainForm& main = *run->mainForm;
        EXPECT_EQ(main.lFileName()->text(), QStringLiteral("not saved yet"));  // tests start in English
        main.languageMenu()->chooseLanguageFor(QLocale(QStringLiteral("pl_PL")));
        EXPECT_TRUE(prompts.messages.isEmpty());
        EXPECT_EQ(LangManager().GetLanguageID(), 1045);
        EXPECT_EQ(main.findChild<QGroupBox*>("gbWidoki")->title(), QStringLiteral("Widoki"));
        EXPECT_EQ(main.lFileName()->text(), QStringLiteral("jeszcze nie zapisano"));
        EXPECT_EQ(main.action("Znajdzkurs1")->text(), QStringLiteral("Znajdź kierunek…"));
        EXPECT_EQ(forms().FormHardware->windowTitle(), QStringLiteral("Informacje o sprzęcie"));
        for (QAction* a : main.smViewLanguage()->actions())
            EXPECT_EQ(a->isChecked(), a->data().toInt() == 1045);
        EXPECT_EQ(applicationTitle(), main.windowTitle());
        // The find window, made later, opens in Polish too.
        main.Znajdzkurs1Click();
        ASSERT_NE(main.FormFind(), nullptr);
        EXPECT_EQ(main.FormFind()->windowTitle(), QStringLiteral("Znajdź kierunek"));
        EXPECT_EQ(main.FormFind()->findChild<QPushButton*>("btnOpen")->text(), QStringLiteral("Otwórz"));
        // The copy question of the views list.
        EXPECT_TRUE(main.gbWidoki()->property("CopyLanguageQuestion").toString().startsWith(u"Skopiować"));
        main.languageMenu()->chooseLanguageFor(QLocale(QStringLiteral("en_US")));
        EXPECT_EQ(main.lFileName()->text(), QStringLiteral("not saved yet"));
        EXPECT_EQ(main.FormFind()->windowTitle(), QStringLiteral("Find a destination"));
    }
    LangManager().Reset();
}

}  // namespace
}  // namespace lt::i18n
