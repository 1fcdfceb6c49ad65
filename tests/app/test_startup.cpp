// The start-up sequence, the windows it creates, the menu and the Help menu.
#include "app/formautor.h"
#include "app/formcolor.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/qtprompts.h"
#include "app/startup.h"
#include "editor/document.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

struct Startup : ::testing::Test {
    ScriptedPrompts prompts;
    std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
    TMainForm& main() { return *run->mainForm; }
};

TEST_F(Startup, CreatesTheWindowsAndSetsTitleAndStyle) {
    const Forms& f = forms();
    EXPECT_EQ(f.MainForm, &main());
    ASSERT_NE(f.FormHardware, nullptr);
    ASSERT_NE(f.FormColor, nullptr);
    ASSERT_NE(f.FormAutor, nullptr);
    EXPECT_EQ(main().formColor(), f.FormColor);
    EXPECT_EQ(applicationTitle(), main().windowTitle());
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight), QColor(0x2f, 0x8d, 0xb3));
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    // The about window of Help has its button; the splash is gone.
    EXPECT_FALSE(f.FormAutor->btnExit()->isHidden());
    EXPECT_FALSE(f.FormAutor->lVersion()->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<TFormAutor*>(w)) {
            EXPECT_EQ(about, f.FormAutor);
        }
    }
    EXPECT_EQ(f.FormAutor->size(), QSize(504, 432));
    EXPECT_EQ(f.FormHardware->size(), QSize(411, 446));
    EXPECT_EQ(f.FormHardware->windowTitle(), QStringLiteral("Hardware information"));
    EXPECT_TRUE(f.FormAutor->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(Startup, HelpInformationShowsTheCaptionAndExits) {
    TFormAutor* about = forms().FormAutor;
    QString shown;
    bool visible = false;
    QTimer::singleShot(0, about, [&] {
        shown = about->lVersion()->text();
        visible = about->lVersion()->isVisible() && about->btnExit()->isVisible();
        about->btnExit()->click();
    });
    main().action("oprogramie1")->trigger();
    EXPECT_EQ(shown, main().windowTitle());
    EXPECT_TRUE(visible);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(Startup, HelpHardwareShowsTheHardwareWindow) {
    TFormHardware* hardware = forms().FormHardware;
    bool shown = false;
    QTimer::singleShot(0, hardware, [&] {
        shown = hardware->isVisible();
        hardware->btnExit()->click();
    });
    main().action("Ourzdzeniu1")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(hardware->isVisible());
}

struct MenuRow {
    const char* name;  // empty: separator
    const char* caption;
    bool visible;
};

QList<MenuRow> rowsOf(QMenu* menu) {
    QList<MenuRow> rows;
    static std::vector<QByteArray> keep;
    for (QAction* a : menu->actions()) {
        keep.push_back(a->objectName().toLatin1());
        const char* name = keep.back().constData();
        keep.push_back(a->text().toUtf8());
        rows.push_back(
            {a->isSeparator() ? "" : name, a->isSeparator() ? "" : keep.back().constData(), a->isVisible()});
    }
    return rows;
}

void expectRows(QMenu* menu, const std::vector<MenuRow>& want) {
    const QList<MenuRow> got = rowsOf(menu);
    ASSERT_EQ(got.size(), static_cast<qsizetype>(want.size())) << menu->objectName().toStdString();
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_STREQ(got[i].name, want[i].name) << i;
        EXPECT_STREQ(got[i].caption, want[i].caption) << i;
        EXPECT_EQ(got[i].visible, want[i].visible) << want[i].name;
    }
}

TEST_F(Startup, MainMenuIsAsTheProgramShowsIt) {
    const QList<QAction*> top = main().menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    const char* names[] = {"Plik1", "Edycja1", "mnOptions", "Autor1"};
    const char* captions[] = {"File", "Edit", "Options", "Help"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(top[i]->menu()->objectName(), QLatin1String(names[i]));
        EXPECT_EQ(top[i]->text(), QLatin1String(captions[i]));
        EXPECT_EQ(top[i]->isVisible(), i != 2);
    }
    expectRows(top[0]->menu(), {{"Nowy1", "New", true},
                                {"", "", true},
                                {"Otwrzprojekt1", "Open", true},
                                {"Zapiszprojekt1", "Save", true},
                                {"Zapiszjakoprojekt1", "Save As", true},
                                {"mnRecent", "Recent projects", true},
                                {"Odzyskajprojekt1", "Recover project from pendrive…", true},
                                {"ImportDestinations1", "Import destinations…", true},
                                {"", "", true},
                                {"Eksportujdoplikuwywietlacza1", "Export to pendrive", true},
                                {"", "", true},
                                {"Drukujinstrukcj1", "Print instrucion", true},
                                {"Drukujdlakierowcy1", "Print course", true},
                                {"", "", true},
                                {"Wyjd1", "Exit", true}});
    expectRows(top[1]->menu(), {{"Cofnij1", "Undo", true},
                                {"Ponow1", "Redo", true},
                                {"", "", true},
                                {"Importujzplikuwywitlacza1", "Import from pendrive", false},
                                {"Eksportujdoplikuwywietlacza1", "Export to pendrive", true},
                                {"", "", false},
                                {"Importobrazka1", "Import picture", false},
                                {"ZapiszJakoObrazek", "Save as picture", true},
                                {"Odtworzplikpendrive1", "Play pendrive file…", true},
                                {"", "", true},
                                {"Importujoprogramowaniesprztowe1", "Import firmware", false},
                                {"Importujczcionki1", "Font import", false},
                                {"", "", true},
                                {"CheckProject1", "Check project…", true},
                                {"FitTexts1", "Fit texts to the sign", true},
                                {"Znajdzkurs1", "Find a destination…", true}});
    EXPECT_EQ(top[1]->menu()->defaultAction(), main().action("Eksportujdoplikuwywietlacza1"));
    expectRows(top[2]->menu(), {{"LEDContrast1", "LCD contrast on display", true},
                                {"mnModules", "Display model", false},
                                {"LEDlanguages1", "LED languages", false},
                                {"smViewLanguage", "Program language", false}});
    expectRows(top[3]->menu(), {{"Manual1", "Manual", true},
                                {"", "", true},
                                {"oprogramie1", "Information", true},
                                {"Ourzdzeniu1", "Hardware", false}});
}

TEST_F(Startup, LedLanguagesOnlyAsks) {
    main().LEDlanguages1Click();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Give the LED language")});
}

TEST(QtPromptsForm, FiltersAndSuffixesBecomeQtForms) {
    EXPECT_EQ(toQtFilter(QStringLiteral("Bitmaps (*.bmp)|*.bmp")), QStringLiteral("Bitmaps (*.bmp)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Project file Velmora Bus (*.vmprj)|*.vmprj")),
              QStringLiteral("Project file Velmora Bus (*.vmprj)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Pictures|*.bmp;*.png|All (*.*)|*.*")),
              QStringLiteral("Pictures (*.bmp *.png);;All (*.*)"));
    // A description whose parentheses disagree with the pattern gets the pattern.
    EXPECT_EQ(toQtFilter(QStringLiteral("Fonts (*.fnt)|*.faf")), QStringLiteral("Fonts (*.faf)"));
    EXPECT_EQ(toDefaultSuffix(QStringLiteral("*.bmp")), QStringLiteral("bmp"));
    EXPECT_EQ(toDefaultSuffix(QStringLiteral(".vmprj")), QStringLiteral("vmprj"));
    EXPECT_EQ(toDefaultSuffix(QStringLiteral("*.*")), QString());
}

}  // namespace
}  // namespace lt::test
