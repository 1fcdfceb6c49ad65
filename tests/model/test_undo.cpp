// Undo and redo of project changes: any sequence of edits taken back to the
// start gives the project byte for byte, redone gives the edited one; the
// keystrokes of one field merge into one step.
#include "depot/fit.h"
#include "editor/document.h"
#include "editor/gridrules.h"
#include "editor/projectstep.h"
#include "render/text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace lt {
namespace {

/// The project as bytes, with the navigation fields (never part of a step)
/// taken from `nav`.
QByteArray bytesOf(const sDane& d, const sDane& nav) {
    auto copy = std::make_unique<sDane>();
    std::memcpy(copy.get(), &d, sizeof(sDane));
    copy->SelectRow = nav.SelectRow;
    copy->SelectCol = nav.SelectCol;
    copy->SelWidok = nav.SelWidok;
    copy->EditCol = nav.EditCol;
    copy->EditRow = nav.EditRow;
    return QByteArray(reinterpret_cast<const char*>(copy.get()), sizeof(sDane));
}

qint64 fakeNow = 0;
qint64 fakeClock() {
    return fakeNow;
}

struct UndoFixture : ::testing::Test {
    Document doc;
    qint64 (*realClock)() = ProjectStep::now;
    void SetUp() override {
        doc.newProject();
        doc.undoStack().clear();
        ProjectStep::now = fakeClock;
    }
    void TearDown() override { ProjectStep::now = realClock; }
};

TEST_F(UndoFixture, RandomEditsUndoToTheOriginalAndRedoToTheEdited) {
    const auto original = std::make_unique<sDane>();
    std::memcpy(original.get(), &doc.dane(), sizeof(sDane));
    std::mt19937 rng(24);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const Region regions[] = {Region::Gorny, Region::Dolny, Region::Lewy};
    for (int i = 0; i < 120; ++i) {
        fakeNow += 2000;  // every edit a step of its own
        sDane& d = doc.dane();
        if (pick(0, 4) == 0) {  // navigation: another view is edited
            d.SelWidok = pick(1, 3);
            d.EditRow = pick(1, 12);
            d.SelectRow = pick(1, 12);
        }
        const Region r = regions[pick(0, 2)];
        switch (pick(0, 11)) {
            case 0: doc.setRegionText(r, QStringLiteral("Linia %1 ąę").arg(pick(0, 999))); break;
            case 1:
                doc.setRegionFont(r, pick(0, 1) ? QStringLiteral("DejaVu Sans") : QStringLiteral("Arial"));
                break;
            case 2: doc.setRegionValue(r, RegionField::FontSize, pick(4, 32)); break;
            case 3: doc.setRegionValue(r, RegionField::X, pick(-127, 127)); break;
            case 4: doc.setRegionValue(r, RegionField::FontColor, pick(0, 7)); break;
            case 5: doc.setMovement(r, pick(0, 6)); break;
            case 6: doc.setCourseName(QStringLiteral("Kierunek %1").arg(pick(0, 99))); break;
            case 7: doc.setProjectName(QStringLiteral("Zajezdnia %1").arg(pick(0, 99))); break;
            case 8: doc.setBarX(pick(16, 64)); break;
            case 9:
                doc.change(QStringLiteral("Display time"), [&] { views::sbtnUpClick(doc.dane()); });
                break;
            case 10:
                doc.change(QStringLiteral("Copy all views over"),
                           [&] { views::copyLanguage(doc.dane(), pick(1, 3), pick(1, 3)); });
                break;
            case 11: {
                const int lang = editLang(d), view = editRow(d);
                doc.setRegionText(Region::Gorny,
                                  QStringLiteral("A very long top line that cannot fit the sign"));
                doc.changeView(QStringLiteral("Fit"), lang, view, [&] { fitView(doc.dane(), lang, view); });
                break;
            }
        }
    }
    const auto edited = std::make_unique<sDane>();
    std::memcpy(edited.get(), &doc.dane(), sizeof(sDane));
    ASSERT_GT(doc.undoStack().count(), 50);
    EXPECT_TRUE(doc.isModified());

    while (doc.undoStack().canUndo()) doc.undoStack().undo();
    EXPECT_EQ(bytesOf(doc.dane(), *original), bytesOf(*original, *original));
    EXPECT_FALSE(doc.isModified());
    while (doc.undoStack().canRedo()) doc.undoStack().redo();
    EXPECT_EQ(bytesOf(doc.dane(), *edited), bytesOf(*edited, *edited));
}

TEST_F(UndoFixture, KeystrokesMergeUntilTheFocusLeavesOrASecondPasses) {
    QUndoStack& stack = doc.undoStack();
    const QString before = ReadText(doc.edited().Gorny.Text);
    fakeNow = 10000;
    for (const char* typed : {"N", "No", "Nor", "Nort", "North"}) {
        fakeNow += 300;
        doc.setRegionText(Region::Gorny, QString::fromLatin1(typed));
    }
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), QStringLiteral("Text"));

    fakeNow += 1500;  // a pause: a new step
    doc.setRegionText(Region::Gorny, QStringLiteral("North 1"));
    EXPECT_EQ(stack.count(), 2);
    doc.sealTyping();  // the focus left the box
    fakeNow += 100;
    doc.setRegionText(Region::Gorny, QStringLiteral("North 12"));
    EXPECT_EQ(stack.count(), 3);
    fakeNow += 100;  // another field never merges with the text
    doc.setRegionText(Region::Dolny, QStringLiteral("via Centre"));
    EXPECT_EQ(stack.count(), 4);

    stack.undo();
    stack.undo();
    EXPECT_EQ(ReadText(doc.edited().Gorny.Text), QStringLiteral("North 1"));
    stack.undo();
    EXPECT_EQ(ReadText(doc.edited().Gorny.Text), QStringLiteral("North"));
    stack.undo();
    EXPECT_EQ(ReadText(doc.edited().Gorny.Text), before);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(UndoFixture, NavigationAndUnchangedValuesAreNoSteps) {
    sDane& d = doc.dane();
    doc.change(QStringLiteral("Use"), [&] {
        d.SelectRow = 7;
        d.SelectCol = 2;
        d.SelWidok = 2;
    });
    doc.setRegionValue(Region::Gorny, RegionField::FontSize, doc.edited().Gorny.FontSize);
    EXPECT_EQ(doc.undoStack().count(), 0);
    EXPECT_FALSE(doc.isModified());
}

}  // namespace
}  // namespace lt
