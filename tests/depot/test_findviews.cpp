// Finding destinations: how texts compare, which views and regions are
// looked at, and the order of the results.
#include "depot/findviews.h"
#include "model/defaults.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

struct KeyCase {
    const char16_t* typed;
    const char16_t* stored;
    bool found;
};

class FindKeyMatch : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FindKeyMatch, TypedTextMeetsStoredText) {
    const KeyCase& c = GetParam();
    const QString typed = QString::fromUtf16(c.typed), stored = QString::fromUtf16(c.stored);
    EXPECT_EQ(findKey(stored).contains(findKey(typed)), c.found)
        << typed.toStdString() << " in " << stored.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindKeyMatch,
    ::testing::Values(KeyCase{u"dworzec", u"DWORZEC GŁÓWNY", true},         // case
                      KeyCase{u"glowny", u"Dworzec Główny", true},          // ó and ł without marks
                      KeyCase{u"ŁÓDŹ", u"lodz kaliska", true},              // marks typed, none stored
                      KeyCase{u"strasse", u"Hauptstraße", false},           // ß is no pair of letters
                      KeyCase{u"Mühle", u"Muhle", true},                    // umlaut
                      KeyCase{u"plac  wolnosci", u"Plac\tWolności", true},  // blanks and a tab
                      KeyCase{u"  rondo ", u"Rondo ONZ", true},             // ends trimmed
                      KeyCase{u"zajezdnia", u"Zajazd", false}));

struct FindViews : ::testing::Test {
    std::unique_ptr<sDane> d = std::make_unique<sDane>();
    void SetUp() override {
        std::memset(static_cast<void*>(d.get()), 0, sizeof(sDane));
        NewDane(*d);
    }
    sWidok& view(int l, int v) { return widok(*d, l, v); }
};

TEST_F(FindViews, NameOrShownRegionAcrossLanguagesInUse) {
    StringToWideChar(QStringLiteral("Dworzec Główny"), view(1, 12).NazwaKursu);
    view(1, 12).use = 1;
    StringToWideChar(QStringLiteral("Hauptbahnhof / Dworzec"), view(2, 40).Dolny.Text);
    StringToWideChar(QStringLiteral("Dworzec PKP"), view(3, 7).Gorny.Text);
    d->Lang[1].Use = 1;  // language 3 stays off: its views are not looked at

    const QList<FoundView> found = findViews(*d, QStringLiteral("dworzec"));
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].lang, 1);
    EXPECT_EQ(found[0].view, 12);
    EXPECT_EQ(found[0].name, QStringLiteral("Dworzec Główny"));
    EXPECT_TRUE(found[0].text.isEmpty());  // the name matched
    EXPECT_TRUE(found[0].inUse);
    EXPECT_EQ(found[1].lang, 2);
    EXPECT_EQ(found[1].view, 40);
    EXPECT_EQ(found[1].text, QStringLiteral("Hauptbahnhof / Dworzec"));
    EXPECT_FALSE(found[1].inUse);

    d->Lang[2].Use = 1;
    EXPECT_EQ(findViews(*d, QStringLiteral("dworzec")).size(), 3);
}

TEST_F(FindViews, OnlyTheRegionsTheViewTypeShows) {
    StringToWideChar(QStringLiteral("Osiedle"), view(1, 5).Lewy.Text);
    StringToWideChar(QStringLiteral("Cmentarz"), view(1, 6).Dolny.Text);
    const auto count = [&](const char* q) { return findViews(*d, QString::fromLatin1(q)).size(); };
    EXPECT_EQ(count("osiedle"), 1);
    EXPECT_EQ(count("cmentarz"), 1);
    view(1, 5).TypWidoku = vtTopBottom;  // no left region
    view(1, 6).TypWidoku = vtLeftTop;    // no bottom line
    EXPECT_EQ(count("osiedle"), 0);
    EXPECT_EQ(count("cmentarz"), 0);
    view(1, 6).TypWidoku = vtLeftTopBottom;
    EXPECT_EQ(count("cmentarz"), 1);
}

TEST_F(FindViews, BlankFindsNothingAndEveryViewIsLookedAt) {
    EXPECT_TRUE(findViews(*d, QString()).isEmpty());
    EXPECT_TRUE(findViews(*d, QStringLiteral(" \t ")).isEmpty());
    // "Destination #1" names views 1, 10..19 and 100..199 of language 1.
    const QList<FoundView> found = findViews(*d, QStringLiteral("destination #1"));
    ASSERT_EQ(found.size(), 1 + 10 + 100);
    EXPECT_EQ(found.front().view, 1);
    EXPECT_EQ(found.back().view, 199);
    EXPECT_EQ(findViews(*d, QStringLiteral("destination #300")).size(), 1);
}

}  // namespace
}  // namespace lt
