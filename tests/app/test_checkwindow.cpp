// The check window, the finding marks of the views grids, fitting from the
// Edit menu and importing destinations from the File menu.
#include "app/formcheck.h"
#include "depot/findings.h"
#include "depot/legibility.h"
#include "i18n/langmanager.h"
#include "model/defaults.h"
#include "tests/app/editor_fixture.h"
#include "views/viewsgrid.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <cstring>

namespace lt::test {
namespace {

const QString LongName = QStringLiteral("Dworzec Główny Zachodni");
const QString LongerName = QStringLiteral("Osiedle Bródno przez Żerań Wschodni");

bool isLayout(const Finding& f) {
    return f.what == QLatin1String("too-wide") || f.what == QLatin1String("too-tall") ||
           f.what == QLatin1String("cut-by-picture");
}

struct CheckWindow : EditorFixture {
    sDane& d = doc.dane();

    void useView(int lang, int view, const QString& top) {
        sWidok& w = widok(d, lang, view);
        w.use = 1;
        w.Time = 5;
        StringToWideChar(top, w.Gorny.Text);
    }
    TFormCheck& openCheck() {
        form->action("CheckProject1")->trigger();
        return *form->formCheck();
    }
    QListWidgetItem* itemFor(const QString& start) {
        QListWidget* list = form->formCheck()->lvFindings();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith(start)) return list->item(i);
        return nullptr;
    }
    QStringList listed() {
        QStringList out;
        QListWidget* list = form->formCheck()->lvFindings();
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static QStringList texts(const QList<Finding>& findings) {
        QStringList out;
        for (const Finding& f : findings) out << f.text();
        return out;
    }
    /// Whether the grid shows the amber mark beside the row's thumbnail.
    bool markDrawn(int lang, int row) {
        views::ViewsGrid* grid = form->gbWidoki()->grid(lang);
        const QImage shot = grid->viewport()->grab().toImage();
        const QRect r = grid->findingMarkRect(row);
        const QColor c = shot.pixelColor(r.left() + 3, r.bottom() - 1);
        return c.red() > 200 && c.green() > 120 && c.green() < 200 && c.blue() < 60;
    }
    QByteArray projectBytes() const { return QByteArray(reinterpret_cast<const char*>(&d), sizeof(sDane)); }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
};

TEST_F(CheckWindow, ListsTheFindingsAndADoubleClickOpensTheView) {
    useView(1, 2, LongName);
    useView(1, 6, QStringLiteral("Zoo"));
    doc.applyLanguages(QStringLiteral("English"), QStringLiteral("Deutsch"), true, QString(), false);
    useView(2, 5, LongerName);
    doc.RenderBitmapsSG();

    TFormCheck& check = openCheck();
    EXPECT_TRUE(check.isVisible());
    EXPECT_EQ(listed(), texts(checkProject(d)));
    EXPECT_EQ(check.findChild<QLabel*>("lViewCount")->text(), QStringLiteral("2"));
    EXPECT_TRUE(check.btnFit()->isEnabled());
    EXPECT_FALSE(check.lNoFindings()->isVisible());
    EXPECT_EQ(check.listedViews(), (QList<QPair<int, int>>{{1, 2}, {2, 5}}));

    QListWidgetItem* german = itemFor(QStringLiteral("2/5 top: too-wide"));
    ASSERT_NE(german, nullptr);
    emit check.lvFindings()->itemDoubleClicked(german);
    EXPECT_EQ(d.SelWidok, 2);
    EXPECT_EQ(d.EditRow, 5);
    EXPECT_EQ(form->gbWidoki()->pcsg1()->currentIndex(), 1);
    EXPECT_EQ(rc(Region::Gorny).eText->text(), LongerName);
    EXPECT_FALSE(form->PanelMain()->isHidden());

    emit check.lvFindings()->itemDoubleClicked(itemFor(QStringLiteral("1/2 top")));
    EXPECT_EQ(d.SelWidok, 1);
    EXPECT_EQ(d.EditRow, 2);
    EXPECT_EQ(form->gbWidoki()->pcsg1()->currentIndex(), 0);
    EXPECT_EQ(rc(Region::Gorny).eText->text(), LongName);
}

TEST_F(CheckWindow, MarksAndListFollowTheTextAsItIsTyped) {
    form->show();
    QApplication::processEvents();
    form->openView(1, 3);
    ASSERT_EQ(d.EditRow, 3);
    TFormCheck& check = openCheck();
    views::ViewsGrid* grid = form->gbWidoki()->grid(1);
    EXPECT_FALSE(grid->marked(3));
    EXPECT_FALSE(markDrawn(1, 3));
    EXPECT_TRUE(check.lNoFindings()->isVisible());
    EXPECT_FALSE(check.btnFit()->isEnabled());

    rc(Region::Gorny).eText->setText(LongName);
    EXPECT_TRUE(grid->marked(3));
    EXPECT_TRUE(markDrawn(1, 3));
    EXPECT_FALSE(markDrawn(1, 4));
    EXPECT_NE(itemFor(QStringLiteral("1/3 top: too-wide")), nullptr);
    EXPECT_FALSE(check.lNoFindings()->isVisible());

    rc(Region::Gorny).eText->setText(QStringLiteral("Zoo"));
    EXPECT_FALSE(grid->marked(3));
    EXPECT_FALSE(markDrawn(1, 3));
    EXPECT_TRUE(listed().isEmpty());

    // A view switched off in the grid loses its mark; switched on, has it back.
    rc(Region::Gorny).eText->setText(LongName);
    const QStringList findings = listed();
    ASSERT_NE(itemFor(QStringLiteral("1/3 top: too-wide")), nullptr);
    grid->selectCell(3, 3);
    EXPECT_FALSE(isTrue(W().use));
    EXPECT_FALSE(grid->marked(3));
    EXPECT_TRUE(listed().isEmpty());
    grid->selectCell(3, 3);
    EXPECT_TRUE(grid->marked(3));
    EXPECT_EQ(listed(), findings);
}

TEST_F(CheckWindow, TheMarkFillsTheRoomAboveTheThumbnailAndItsTipGivesTheWhys) {
    // Too wide, and moving too slowly to show its end in 1 s.
    useView(1, 3, LongName);
    widok(d, 1, 3).Time = 1;
    widok(d, 1, 3).Gorny.Ruch = mvInLeft;
    widok(d, 1, 3).Gorny.Speed = 1;
    form->projectChanged();
    views::ViewsGrid* grid = form->gbWidoki()->grid(1);
    ASSERT_TRUE(grid->marked(3));
    const QRect mark = grid->findingMarkRect(3);
    EXPECT_GE(mark.height(), views::ViewsGrid::RowHeight / 3);
    EXPECT_TRUE(grid->cellRect(1, 3).contains(mark));
    EXPECT_TRUE(markDrawn(1, 3));
    EXPECT_TRUE(grid->findingsTip(2).isEmpty());

    // One line a finding: its region and why, in the interface language.
    QStringList english;
    for (const Finding& f : checkView(d, 1, 3)) english << f.region + QStringLiteral(": ") + f.why;
    EXPECT_GE(english.size(), 2);
    EXPECT_EQ(grid->findingsTip(3), english.join(QLatin1Char('\n')));
    i18n::LangManager().Reset();
    ASSERT_TRUE(i18n::LangManager().RegisterLangFile(
        QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/polski.lng")));
    ASSERT_EQ(i18n::LangManager().SetLanguageID(1045), QString());
    const QStringList polish = grid->findingsTip(3).split(QLatin1Char('\n'));
    ASSERT_EQ(polish.size(), english.size());
    for (qsizetype i = 0; i < polish.size(); ++i) EXPECT_NE(polish[i], english[i]) << polish[i].toStdString();
    i18n::LangManager().SetLanguageID(i18n::TDKLanguageManager::DefaultLanguageID);
    i18n::LangManager().Reset();
}

TEST_F(CheckWindow, FitMakesTheEditedViewFitAndKeepsItsWords) {
    form->openView(1, 3);
    rc(Region::Gorny).eText->setText(LongerName);
    ASSERT_TRUE(form->gbWidoki()->grid(1)->marked(3));
    const QImage before = preview();

    form->action("FitTexts1")->trigger();
    EXPECT_EQ(ReadText(W().Gorny.Text), LongerName);
    for (const Finding& f : checkView(d, 1, 3)) EXPECT_FALSE(isLayout(f)) << f.text().toStdString();
    EXPECT_FALSE(form->gbWidoki()->grid(1)->marked(3));
    // The panel and the preview show what the view now holds.
    EXPECT_EQ(rc(Region::Gorny).seSize->value(), W().Gorny.FontSize);
    EXPECT_EQ(rc(Region::Gorny).cNameFont->fontName(), ReadText(W().Gorny.FontName));
    EXPECT_NE(preview(), before);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(CheckWindow, FitButtonFitsEveryListedView) {
    useView(1, 2, LongName);
    useView(1, 4, LongerName);
    useView(1, 8, QStringLiteral("Zoo"));
    doc.RenderBitmapsSG();
    const QByteArray zoo(reinterpret_cast<const char*>(&widok(d, 1, 8)), sizeof(sWidok));
    TFormCheck& check = openCheck();
    ASSERT_EQ(check.listedViews().size(), 2);

    check.btnFit()->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().contains(QLatin1String("in 2 views")))
        << prompts.messages.first().toStdString();
    for (const Finding& f : checkProject(d)) EXPECT_FALSE(isLayout(f)) << f.text().toStdString();
    for (const QString& line : listed())
        EXPECT_FALSE(line.contains(QLatin1String("too-wide"))) << line.toStdString();
    EXPECT_EQ(ReadText(widok(d, 1, 2).Gorny.Text), LongName);
    EXPECT_EQ(ReadText(widok(d, 1, 4).Gorny.Text), LongerName);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&widok(d, 1, 8)), sizeof(sWidok)), zoo);
}

TEST_F(CheckWindow, ImportOfAListAppliesItRedrawsAndMarks) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("depot.csv"));
    writeFile(path, QStringLiteral("Language,View,In use,Time,Destination,Top text\r\n"
                                   "1,1,yes,6,Line 1,%1\r\n1,2,yes,4,Line 2,Zoo\r\n")
                        .arg(LongName)
                        .toUtf8());
    const QImage thumbnail = doc.surfaces().thumbnail(1, 2).image().copy();
    prompts.answers = {true};
    prompts.paths = {path};
    form->action("ImportDestinations1")->trigger();
    EXPECT_EQ(prompts.questions,
              QStringList{QStringLiteral("Are you sure to import destinations into the project ?")});
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_TRUE(prompts.dialogs.first().filter.contains(QLatin1String("*.zip")));
    EXPECT_TRUE(prompts.dialogs.first().filter.contains(QLatin1String("*.csv")));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("2 rows read, 2 views changed.")});
    EXPECT_EQ(ReadText(widok(d, 1, 2).Gorny.Text), QStringLiteral("Zoo"));
    EXPECT_EQ(widok(d, 1, 1).Time, 6);
    // The edited view 1 is in the panel with its new text, every thumbnail
    // is drawn again, and the grid marks the view whose text is cut.
    EXPECT_EQ(rc(Region::Gorny).eText->text(), LongName);
    EXPECT_EQ(form->eNazwaKursu()->text(), QStringLiteral("Line 1"));
    EXPECT_NE(doc.surfaces().thumbnail(1, 2).image(), thumbnail);
    EXPECT_TRUE(form->gbWidoki()->grid(1)->marked(1));
    EXPECT_FALSE(form->gbWidoki()->grid(1)->marked(2));
    EXPECT_FALSE(form->gbWidoki()->isHidden());
    EXPECT_FALSE(form->PanelMain()->isHidden());
}

TEST_F(CheckWindow, ImportOfAFeedFillsTheLanguageOfTheTab) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("feed")));
    writeFile(dir.file(QStringLiteral("feed/routes.txt")),
              "route_id,route_short_name,route_type\n10,10,3\n2,2,3\n");
    writeFile(dir.file(QStringLiteral("feed/trips.txt")),
              "trip_id,route_id,trip_headsign,direction_id\n"
              "a,10,Dworzec Główny przez Rynek,0\nb,10,Zoo,1\nc,2,Osiedle Bródno,0\nd,2,Osiedle Bródno,0\n");
    doc.applyLanguages(QStringLiteral("English"), QStringLiteral("Polski"), true, QString(), false);
    form->gbWidoki()->pcsg1()->setCurrentIndex(1);
    ASSERT_EQ(d.SelWidok, 2);
    const QByteArray english(reinterpret_cast<const char*>(d.Widok[0]), sizeof d.Widok[0]);

    prompts.answers = {true};
    prompts.paths = {dir.file(QStringLiteral("feed/routes.txt"))};
    form->action("ImportDestinations1")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().startsWith(QLatin1String("3 views made from the timetable feed.\n")))
        << prompts.messages.first().toStdString();
    EXPECT_EQ(ReadText(widok(d, 2, 1).Lewy.Text), QStringLiteral("2"));
    EXPECT_EQ(ReadText(widok(d, 2, 2).Gorny.Text), QStringLiteral("Dworzec Główny"));
    EXPECT_EQ(ReadText(widok(d, 2, 2).Dolny.Text), QStringLiteral("przez Rynek"));
    EXPECT_FALSE(isTrue(widok(d, 2, 4).use));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d.Widok[0]), sizeof d.Widok[0]), english);
    for (const Finding& f : checkProject(d)) EXPECT_FALSE(isLayout(f)) << f.text().toStdString();
    EXPECT_FALSE(form->gbWidoki()->grid(2)->marked(2));
}

TEST_F(CheckWindow, ImportNotWantedOrRefusedChangesNothing) {
    TempDir dir;
    const QString refused = dir.file(QStringLiteral("refused.csv"));
    writeFile(refused, "Language,View,Top text\r\n1,0,Zoo\r\n1,2,Rynek\r\n");
    const QString damaged = dir.file(QStringLiteral("feed.zip"));
    writeFile(damaged, "not an archive");
    const QByteArray before = projectBytes();

    prompts.answers = {false};
    form->ImportDestinations1Click();  // not wanted: no dialog
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    prompts.answers = {true};
    form->ImportDestinations1Click();  // the dialog cancelled
    EXPECT_EQ(prompts.dialogs.size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());

    prompts.answers = {true, true};
    prompts.paths = {refused, damaged};
    form->ImportDestinations1Click();
    form->ImportDestinations1Click();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(
        prompts.messages[0].startsWith(QLatin1String("1 of 2 rows refused; nothing was changed:\nline 2:")))
        << prompts.messages[0].toStdString();
    EXPECT_TRUE(prompts.messages[1].contains(QLatin1String("Nothing was changed.")))
        << prompts.messages[1].toStdString();
    EXPECT_EQ(projectBytes(), before);
}

}  // namespace
}  // namespace lt::test
