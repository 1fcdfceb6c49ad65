// The English of the texts the additions build from words and numbers, as
// the commands and checks write them. The entry numbers bind the language
// files and never change; new texts are appended.
#include "i18n/textcatalogue.h"

#include <iterator>

namespace lt::i18n {

namespace {

// Section "Messages": the message boxes and questions of the added commands.
// A text made of words that are themselves entries ("kept 1/5: ..." inside
// "... (back in use)") comes before the entries it holds.
constexpr CatalogueText kMessages[] = {
    {1, "Every listed text already fits the sign."},
    {2, "%1 regions fitted in %2 views:"},
    {3, "and %1 more"},
    {4, "Are you sure to import destinations into the project ?"},
    {5, "Nothing was changed."},
    {6, "%1 of %2 rows refused; nothing was changed:"},
    {7, "The list was refused; nothing was changed:"},
    {8, "%1 rows read, %2 views changed."},
    {9, "%1 views made from the timetable feed."},
    {10, "%1 kept at their numbers, %2 of them refitted; %3 new; %4 switched off."},
    {11, "%1 regions fitted to the sign."},
    {12, "%1 (back in use)"},
    {13, "kept %1/%2: %3"},
    {14, "new %1/%2: %3"},
    {15, "gone %1/%2: %3 (switched off)"},
    {16, "refitted %1/%2: %3"},
    {17,
     "Views in use recovered: %1. Regions that reproduce their pictures: %2; regions whose pictures fit "
     "more than one reading: %3; regions that do not: %4."},
    {18, "Views in use recovered: %1. Regions that reproduce their pictures: %2; regions that do not: %3."},
    {19, "%1, and %2 more readings"},
    {20, "\"%1\" could also read %2"},
    {21, "the font \"%1\" is not installed here, so the picture cannot be read back"},
    {22, "the text holds characters the pendrive file cannot carry"},
    {23, "the text may hold characters the pendrive file cannot carry, written as \"?\""},
    {24, "no reading of \"%1\" reproduces the picture"},
    {25, "%1: open it with File > Open."},
    {26, "Are you sure to load new project from pendrive file ?"},
    {27, "Save changes to %1 before %2?"},
    {28, "the new project"},
    {29, "creating a new project"},
    {30, "opening another project"},
    {31, "quitting"},
    {32, "recovering a project from a pendrive file"},
    {33, "language %1: %2: %3 -> %4"},
    // A text an export writes with other characters; a fitted region before
    // a changed list field: "1/5 top: size 9 -> 8" holds its changes whole.
    {80, "%1: \"%2\" is carried as \"%3\""},
    {35, "%1/%2 %3: %4"},
    {34, "%1/%2 %3: %4 -> %5"},
    {36, "line %1: %2"},
    {37, "row %1: %2"},
    {38, "size %1 -> %2"},
    {39, "face %1 -> %2"},
    {40, "movement %1 -> %2 at speed %3"},
    {41, "top"},
    {42, "bottom"},
    {43, "left"},
    {44, "view"},
    {45, "No folder for the copy"},
    {46, "Cannot make the folder %1"},
    {47, "Cannot lock %1"},
    {48, "%1 is empty"},
    {49, "%1 \"%2\" is not a whole number"},
    {50, "%1 %2 is outside %3..%4"},
    {51, "unknown column \"%1\""},
    {52, "column \"%1\" appears twice"},
    {53, "the column \"%1\" is missing"},
    {54, "the list is empty; the first row names the columns"},
    {55, "%1 fields, the header has %2"},
    {56, "unknown view \"%1\" (views are 1..300)"},
    {57, "unknown language \"%1\" (1..3 or a language's name)"},
    {58, "%1 \"%2\" is neither yes nor no"},
    {59, "the feed has no %1"},
    {60, "%1: the archive has no %2"},
    {61, "%1: the folder has no %2"},
    {62, "%1: no such file or folder"},
    {63, "the headsign has %1 characters; a line of the sign holds %2"},
    {64, "trips.txt: no trip has a trip_headsign, so there is no destination"},
    {65, "trips.txt: no trip of the chosen routes has a trip_headsign"},
    {66, "%1 line %2: %3"},
    {67, "the file is empty"},
    {68, "the file is not UTF-8"},
    {69, "a quoted field is not closed"},
    // The changes of one fitted region, joined by commas: each on its own.
    {70, "%1, %2"},
    {71, "X %1 -> %2"},
    {72, "Y %1 -> %2"},
    {73, "BarX %1 -> %2"},
    {74, "BarY %1 -> %2"},
    {75, "time %1 -> %2"},
    {76, "type %1 -> %2"},
    {77, "colours as the top line"},
    // The movements, as the movement lists name them.
    {78, "none\nin left\nin right\nin up\nin down\n<--->\nflashing"},
    {79,
     "the feed has %1 destinations (pairs of route and headsign) on %2 routes, but a language holds %3 "
     "views; choose routes with --routes R1,R2,..."},
    // Where an export wrote a text with other characters (entry 80).
    {81, "language %1"},
    {82, "%1/%2 name"},
    {83, "%1/%2 %3 font"},
    {84, "%1/%2 top"},
    {85, "%1/%2 bottom"},
    {86, "%1/%2 left"},
    {87, "and %1 more texts carried with other characters"},
    {88, "File: %1"},
    // The counts of one.
    {89, "%1 row read, %2 view changed."},
    {90, "%1 row read, %2 views changed."},
    {91, "%1 rows read, %2 view changed."},
    {92, "%1 view made from the timetable feed."},
    {93, "%1 region fitted to the sign."},
    {94, "%1 region fitted in %2 view:"},
    {95, "%1 regions fitted in %2 view:"},
};

// Section "FormCheck", after the window's own texts (1-7) and the
// legibility whys (8, one per line, as legibilityWhyTexts() gives them).
constexpr CatalogueText kFindings[] = {
    {8,
     "the text moves but never shows its end within %1 s\n"
     "the text moves and shows its end after %1 s, but the view shows for %2 s\n"
     "the route number's ink reaches column %1 and the %2 line's starts at column %3, with no unlit column "
     "between them\n"
     "the top line's ink reaches row %1 and the bottom line's starts at row %2, with no unlit row between "
     "them\n"
     "the letters \"%1\" touch with no unlit column between them in %2\n"
     "capitals are %1 LEDs high in %2; %3 needs at least %4 (%5)\n"
     "the route \"%1\" is drawn in %2 here but in %3"},
    {9, "%1/%2 %3: %4: %5"},
    {10, "language %1: %2: %3"},
    {11, "top"},
    {12, "bottom"},
    {13, "left"},
    {14, "view"},
    {15, "too-long"},
    {16, "not-carried"},
    {17, "zero-time"},
    {18, "empty-region"},
    {19, "same-colour"},
    {20, "too-wide"},
    {21, "too-tall"},
    {22, "cut-by-picture"},
    {23, "font-not-installed"},
    {24, "missing-glyphs"},
    {25, "control-character"},
    {26, "scroll-unfinished"},
    {27, "touches-neighbour"},
    {28, "letters-merge"},
    {29, "below-floor"},
    {30, "route-drawn-differently"},
    {31, "the language name %1 has %2 characters; the pendrive file keeps %3"},
    {32, "%1 holds characters the pendrive file's 8-bit text cannot carry: %2; the stick will read %3"},
    {33, "%1 holds %2, which one line of the sign cannot show"},
    {34, "the display time is %1 s, so the sign passes over the view"},
    {35, "the destination name has %1 characters; the pendrive file keeps %2"},
    {36, "the view type shows this region but its text is empty"},
    {37, "font and background are both %1, so the text cannot be seen"},
    {38, "the text covers columns %1..%2 of a window %3 columns wide and does not move sideways"},
    {39, "the text covers rows %1..%2 of a window %3 rows high"},
    {40,
     "the text covers columns %1..%2 and rows %3..%4, but the region's picture is %5 x %6, so its %7 edge "
     "is cut off on the sign"},
    {41, "no font face is named; the text is drawn with %1"},
    {42, "the font %1 is not installed; the text is drawn with %2 instead"},
    {43, "the face %1 has no %2; they are drawn with %3"},
    {44, "no installed face has %1; the sign shows boxes or nothing for them"},
    {45, "the text has %1 characters; the pendrive file keeps %2"},
    {46, "the font name %1 has %2 characters; the pendrive file keeps %3"},
    {47, "the language name"},
    {48, "the destination name"},
    {49, "the text"},
    {50, "the font name"},
    {51, "a line break"},
    {52, "a tab"},
    {53, "the control character %1"},
    {54, "black"},
    {55, "red"},
    {56, "green"},
    {57, "blue"},
    {58, "yellow"},
    {59, "cyan"},
    {60, "magenta"},
    {61, "white"},
    {62, "black (index %1)"},
    {63, "%1 and %2"},
    {64, "a route number"},
    {65, "the top line"},
    {66, "a line below the top one"},
    {67, "%1 mm at a pitch of %2 mm, UK accessibility guidance for bus displays"},
    {68, "depot practice of a double-height route number"},
    {69, "practice of LED panel makers for the destination"},
    {70, "practice of LED panel makers"},
    {71, "%1 %2 bold italic"},
    {72, "%1 %2 italic"},
    {73, "%1 %2 bold"},
    {74, "%1 %2 underlined"},
    {75, "right"},
};

}  // namespace

std::span<const CatalogueText> messageCatalogue() {
    return kMessages;
}

std::span<const CatalogueText> findingCatalogue() {
    return kFindings;
}

}  // namespace lt::i18n
