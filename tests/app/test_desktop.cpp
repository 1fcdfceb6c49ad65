// The editor on the operator's desktop: the manual and its page of keys, the
// menus' keys from inside the fields, the recent projects, Save As's
// proposal, the file given on the command line and Qt's own texts.
#include "app/desktopsettings.h"
#include "app/formfind.h"
#include "app/manual.h"
#include "app/startup.h"
#include "depot/gui/formplayer.h"
#include "display/flash.h"
#include "i18n/gui/qttranslations.h"
#include "tests/app/editor_fixture.h"
#include "views/viewsgrid.h"
#include "views/viewspanel.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <QtTest/QTest>

namespace lt::test {

/// Takes the URLs the editor hands to the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

namespace {

struct Desktop : EditorFixture {
    TempDir dir;
    void SetUp() override { clearRecentProjects(); }
    void TearDown() override { clearRecentProjects(); }
    QString saveAs(const QString& name) {
        const QString path = dir.file(name);
        prompts.paths.push_back(path);
        form->Zapiszjakoprojekt1Click();
        return path;
    }
    QStringList recentItems() const {
        QStringList files;
        for (QAction* a : form->mnRecent()->actions())
            if (a->data().isValid()) files << a->data().toString();
        return files;
    }
    void showWithView() {
        widok(doc.dane(), 1, 1).use = 1;
        form->setPanelMainVisible(true);
        form->show();
        form->activateWindow();
        QApplication::processEvents();
    }
};

TEST_F(Desktop, TheManualIsFoundAndListsEveryMenuKey) {
    const QString page = findManual(QStringLiteral(LINETINT_BINARY_DIR));
    ASSERT_FALSE(page.isEmpty());
    QFile shortcuts(QFileInfo(page).dir().filePath(QStringLiteral("shortcuts.html")));
    ASSERT_TRUE(shortcuts.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(shortcuts.readAll());
    int keys = 0;
    for (QAction* a : form->menuBar()->findChildren<QAction*>()) {
        if (!a->isVisible()) continue;
        for (const QKeySequence& key : a->shortcuts()) {
            ++keys;
            const QString text = key.toString(QKeySequence::PortableText);
            EXPECT_TRUE(listed.contains(QStringLiteral("<kbd>") + text + QStringLiteral("</kbd>")))
                << a->objectName().toStdString() << " " << text.toStdString();
        }
    }
    EXPECT_GE(keys, 10);
    EXPECT_TRUE(findManual(dir.path()).isEmpty());

    // F1 runs Help > Manual; beside this test program there is no manual,
    // which is said, and nothing goes to the browser.
    UrlCatcher browser;
    showWithView();
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    EXPECT_EQ(prompts.warnings, QStringList{form->property("ManualMissing").toString()});
    EXPECT_TRUE(browser.urls.isEmpty());
}

TEST_F(Desktop, MenuKeysWinOverTheFieldsButNotTheirEditingKeys) {
    showWithView();
    // From a number box: Export to pendrive asks for its file.
    QLineEdit* size = editOf(rc(Region::Gorny).seSize);
    size->setFocus();
    QApplication::processEvents();
    QTest::keyClick(form->windowHandle(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs[0].title, doc.SaveDialogPendrive.title);

    // In a text field Ctrl+Z is the project's Undo, not the field's own: the
    // typing is taken back as one step that can be done again.
    QLineEdit* text = rc(Region::Gorny).eText;
    text->setFocus();
    QApplication::processEvents();
    const QString before = text->text();
    QTest::keyClicks(text, QStringLiteral("xyz"));
    ASSERT_EQ(ReadText(W().Gorny.Text), before + QStringLiteral("xyz"));
    QTest::keyClick(form->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ReadText(W().Gorny.Text), before);
    EXPECT_TRUE(doc.undoStack().canRedo());

    // Select all stays the field's own.
    QTest::keyClick(form->windowHandle(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text->selectedText(), text->text());
}

TEST_F(Desktop, EnterInTheGridOpensTheViewAndDownLeavesTheFindField) {
    form->show();
    QApplication::processEvents();
    views::ViewsGrid* grid = form->gbWidoki()->grid(1);
    widok(doc.dane(), 1, 7).use = 1;
    grid->selectCell(1, 7);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(doc.dane().EditRow, 7);
    EXPECT_TRUE(form->PanelMain()->isVisible());

    form->eNazwaKursu()->setText(QStringLiteral("Dworzec"));
    form->Znajdzkurs1Click();
    TFormFind* find = form->FormFind();
    QLineEdit* field = find->findChild<QLineEdit*>(QStringLiteral("eFind"));
    field->setText(QStringLiteral("dworzec"));
    QApplication::processEvents();
    ASSERT_GT(find->lbFound()->count(), 0);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_TRUE(find->lbFound()->hasFocus());
    EXPECT_EQ(find->lbFound()->currentRow(), 0);
}

TEST_F(Desktop, RecentProjectsAndSaveAsProposal) {
    const QString first = saveAs(QStringLiteral("first.vmprj"));
    const QString second = saveAs(QStringLiteral("second.vmprj"));
    // Save As proposes the file the project has, in its folder.
    EXPECT_EQ(prompts.dialogs.last().fileName, first);
    EXPECT_EQ(recentItems(), (QStringList{second, first}));
    EXPECT_EQ(doc.SaveDialog.fileName, prompts.dialogs.first().fileName);  // the proposal is put back

    // A file gone since is named, taken off the list, and nothing changes.
    QFile::remove(first);
    prompts.messages.clear();
    form->openRecentProject(first);
    ASSERT_EQ(prompts.warnings.size(), 1);
    EXPECT_TRUE(prompts.warnings[0].contains(QStringLiteral("first.vmprj")));
    EXPECT_EQ(recentItems(), QStringList{second});
    EXPECT_EQ(doc.filePath(), second);

    // At most ten, newest first; the same file once.
    for (int i = 0; i < 12; ++i) addRecentProject(dir.file(QStringLiteral("p%1.vmprj").arg(i)));
    addRecentProject(dir.file(QStringLiteral("p5.vmprj")));
    const QStringList kept = recentProjects();
    ASSERT_EQ(kept.size(), RecentProjectCount);
    EXPECT_EQ(kept[0], dir.file(QStringLiteral("p5.vmprj")));
    EXPECT_EQ(kept.count(dir.file(QStringLiteral("p5.vmprj"))), 1);

    for (QAction* a : form->mnRecent()->actions())
        if (a->objectName() == QLatin1String("ClearRecent1")) a->trigger();
    EXPECT_TRUE(recentItems().isEmpty());
    EXPECT_TRUE(recentProjects().isEmpty());
}

TEST_F(Desktop, TheFileGivenOnTheCommandLine) {
    EXPECT_EQ(fileFromArguments({"linetint", "depot.vmprj"}), QStringLiteral("depot.vmprj"));
    EXPECT_EQ(fileFromArguments({"linetint", "--x", "--", "-odd.vmprj"}), QStringLiteral("-odd.vmprj"));
    EXPECT_EQ(fileFromArguments({"linetint"}), QString());

    const QString project = saveAs(QStringLiteral("depot.vmprj"));
    prompts.answers.push_back(true);
    doc.Nowy1Click(prompts);
    ASSERT_TRUE(doc.filePath().isEmpty());
    form->openFromCommandLine(project);
    EXPECT_EQ(doc.filePath(), project);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("depot.vmprj")));

    // A truncated pendrive file is refused with a warning naming it; a whole
    // one plays in the player.
    const QString cut = dir.file(QStringLiteral("cut.bin"));
    putFile(cut, QByteArray(1 << 20, '\0'));
    form->openFromCommandLine(cut);
    EXPECT_EQ(prompts.warnings,
              QStringList{cut + QStringLiteral(" is not a project file: it holds 1.0 MiB; a "
                                               "project file holds exactly 6.5 MiB.")});
    EXPECT_EQ(doc.filePath(), project);

    const QString image = dir.file(QStringLiteral("velmoraflash.bin"));
    prompts.paths.push_back(image);
    form->Eksportujdoplikuwywietlacza1Click();
    form->openFromCommandLine(image);
    ASSERT_NE(form->formPlayer(), nullptr);
    EXPECT_TRUE(form->formPlayer()->isVisible());
    EXPECT_TRUE(form->formPlayer()->loaded());
}

TEST(QtTexts, FollowTheInterfaceLanguage) {
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    ASSERT_TRUE(i18n::useQtTranslations(1045));
    EXPECT_EQ(i18n::qtTranslationsLanguage(), QStringLiteral("pl"));
    EXPECT_EQ(cancel(), QStringLiteral("Anuluj"));
    ASSERT_TRUE(i18n::useQtTranslations(1031));
    EXPECT_EQ(cancel(), QStringLiteral("Abbrechen"));
    EXPECT_FALSE(i18n::useQtTranslations(1033));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
    EXPECT_TRUE(i18n::qtTranslationsLanguage().isEmpty());
}

}  // namespace
}  // namespace lt::test

#include "test_desktop.moc"
