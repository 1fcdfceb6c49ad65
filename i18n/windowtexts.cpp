#include "i18n/windowtexts.h"

#include "i18n/textcatalogue.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace lt::i18n {

namespace {

constexpr TextEntry kMainForm[] = {
    {"MainForm", "Caption", 1},
    {"gbWidoki", "Caption", 2},
    {"gbNazwaProjektu", "Caption", 3},
    {"eNazwaProjektu", "Text", 4},
    {"gbRaport", "Caption", 5},
    {"Button1", "Caption", 6},
    {"MemoRaport", "Lines", 7},
    {"gbWidokWyswietlacza", "Caption", 8},
    {"gbOpcjeWidoku", "Caption", 9},
    {"gbLewy", "Caption", 10},
    {"lTextLewy", "Caption", 11},
    {"lRuchLewy", "Caption", 12},
    {"lSzybkoscLewy", "Caption", 13},
    {"lSizeFontLewy", "Caption", 14},
    {"lFontStyleLewy", "Caption", 15},
    {"lLewyX", "Caption", 17},
    {"lLewyY", "Caption", 18},
    {"eTextLewy", "Text", 19},
    {"cbRuchLewy", "Text", 20},
    {"cbRuchLewy", "Items", 21},
    {"cbWygladzanieLewy", "Caption", 22},
    {"cbFontStyleLewy", "Text", 24},
    {"cbFontStyleLewy", "Items", 25},
    {"gbGorny", "Caption", 26},
    {"lTextGorny", "Caption", 27},
    {"lRuchGorny", "Caption", 28},
    {"lSzybkoscGorny", "Caption", 29},
    {"lSizeFontGorny", "Caption", 30},
    {"lFontStyleGorny", "Caption", 31},
    {"lGornyX", "Caption", 33},
    {"lGornyY", "Caption", 34},
    {"eTextGorny", "Text", 35},
    {"cbRuchGorny", "Text", 36},
    {"cbRuchGorny", "Items", 37},
    {"cbWygladzanieGorny", "Caption", 38},
    {"cbFontStyleGorny", "Text", 40},
    {"cbFontStyleGorny", "Items", 41},
    {"gbDolny", "Caption", 42},
    {"lTextDolny", "Caption", 43},
    {"lRuchDolny", "Caption", 44},
    {"lSzybkoscDolny", "Caption", 45},
    {"lSizeFontDolny", "Caption", 46},
    {"lFontStyleDolny", "Caption", 47},
    {"lDolnyX", "Caption", 49},
    {"lDolnyY", "Caption", 50},
    {"eTextDolny", "Text", 51},
    {"cbRuchDolny", "Text", 52},
    {"cbRuchDolny", "Items", 53},
    {"cbWygladzanieDolny", "Caption", 54},
    {"cbFontStyleDolny", "Text", 56},
    {"cbFontStyleDolny", "Items", 57},
    {"btnTest", "Caption", 58},
    {"gbNazwaKursu", "Caption", 59},
    {"eNazwaKursu", "Text", 60},
    {"Plik1", "Caption", 61},
    {"Nowy1", "Caption", 62},
    {"Otwrzprojekt1", "Caption", 63},
    {"Zapiszprojekt1", "Caption", 64},
    {"Zapiszjakoprojekt1", "Caption", 65},
    {"Drukujinstrukcj1", "Caption", 66},
    {"Drukujdlakierowcy1", "Caption", 67},
    {"Wyjd1", "Caption", 68},
    {"Edycja1", "Caption", 69},
    {"Importujzplikuwywitlacza1", "Caption", 70},
    {"Eksportujdoplikuwywietlacza1", "Caption", 71},
    {"Importobrazka1", "Caption", 72},
    {"ZapiszJakoObrazek", "Caption", 73},
    {"Importujoprogramowaniesprztowe1", "Caption", 74},
    {"Importujczcionki1", "Caption", 75},
    {"mnOptions", "Caption", 76},
    {"Autor1", "Caption", 80},
    {"oprogramie1", "Caption", 81},
    {"Ourzdzeniu1", "Caption", 82},
    {"OpenDialog", "DefaultExt", 83},
    {"OpenDialog", "FileName", 84},
    {"OpenDialog", "Filter", 85},
    {"OpenDialog", "Title", 86},
    {"OpenPictureDialog.PreviewButton", "Hint", 87},
    {"SaveDialog", "DefaultExt", 88},
    {"SaveDialog", "FileName", 89},
    {"SaveDialog", "Filter", 90},
    {"SaveDialog", "Title", 91},
    {"SavePictureDialog", "DefaultExt", 92},
    {"SavePictureDialog", "FileName", 93},
    {"SavePictureDialog", "Filter", 94},
    {"SavePictureDialog.PreviewButton", "Hint", 95},
    {"OpenDialogPendrive", "DefaultExt", 96},
    {"OpenDialogPendrive", "FileName", 97},
    {"OpenDialogPendrive", "Filter", 98},
    {"OpenDialogPendrive", "Title", 99},
    {"SaveDialogPendrive", "DefaultExt", 100},
    {"SaveDialogPendrive", "FileName", 101},
    {"SaveDialogPendrive", "Filter", 102},
    {"SaveDialogPendrive", "Title", 103},
    {"OpenDialogFirmware", "DefaultExt", 104},
    {"OpenDialogFirmware", "FileName", 105},
    {"OpenDialogFirmware", "Filter", 106},
    {"OpenDialogFirmware", "Title", 107},
    {"OpenDialogFont", "DefaultExt", 108},
    {"OpenDialogFont", "Title", 109},
    {"smViewLanguage", "Caption", 110},
    {"tsView1", "Caption", 112},
    {"tsView2", "Caption", 113},
    {"tsView3", "Caption", 114},
    {"LEDlanguages1", "Caption", 115},
    {"lTextFont", "Caption", 116},
    {"Label1", "Caption", 117},
    {"Label2", "Caption", 118},
    {"btnSetLang", "Caption", 119},
    {"pmDefault", "Caption", 120},
    {"pmCopy", "Caption", 121},
    {"pmPaste", "Caption", 122},
    {"pmActivate", "Caption", 123},
    {"Unactivate", "Caption", 124},
    {"LEDContrast1", "Caption", 125},
    {"mnModules", "Caption", 126},
    {"ImportDestinations1", "Caption", 200},
    {"CheckProject1", "Caption", 201},
    {"FitTexts1", "Caption", 202},
    {"OpenDialogDestinations", "Title", 203},
    {"Odtworzplikpendrive1", "Caption", 250},
    {"Odzyskajprojekt1", "Caption", 300},
    {"Znajdzkurs1", "Caption", 350},
    {"pmCopyLanguage", "Caption", 351},
    {"gbWidoki", "CopyLanguageQuestion", 352},
    {"lFileName", "Unsaved", 353},
    {"MainForm", "RestoreQuestion", 400},
    {"StepTexts", "Undo", 354},
    {"StepTexts", "Redo", 355},
    {"StepTexts", "Names", 356},
    {"mnRecent", "Caption", 410},
    {"ClearRecent1", "Caption", 411},
    {"Manual1", "Caption", 412},
    {"MainForm", "RecentMissing", 413},
    {"MainForm", "ManualMissing", 414},
    {"MainForm", "NotProjectFile", 415},
    {"MainForm", "CannotOpen", 416},
    {"MainForm", "ManualNoBrowser", 417},
    {"barX", "Hint", 460},
    {"barY", "Hint", 461},
    {"btnTypWidoku0", "Hint", 462},
    {"btnTypWidoku1", "Hint", 463},
    {"btnTypWidoku2", "Hint", 464},
    {"btnTypWidoku3", "Hint", 465},
    {"sColorGorny", "Hint", 466},
    {"sColorDolny", "Hint", 467},
    {"sColorLewy", "Hint", 468},
    {"sBackgroundGorny", "Hint", 469},
    {"sBackgroundDolny", "Hint", 470},
    {"sBackgroundLewy", "Hint", 471},
    {"cNameFontGorny", "NotInstalled", 472},
    {"cNameFontDolny", "NotInstalled", 473},
    {"cNameFontLewy", "NotInstalled", 474},
    {"lSColorGorny", "Caption", 475},
    {"lSColorDolny", "Caption", 476},
    {"lSColorLewy", "Caption", 477},
    {"lSBackgroundGorny", "Caption", 478},
    {"lSBackgroundDolny", "Caption", 479},
    {"lSBackgroundLewy", "Caption", 480},
    {"lNameFontGorny", "Caption", 481},
    {"lNameFontDolny", "Caption", 482},
    {"lNameFontLewy", "Caption", 483},
};

constexpr TextEntry kFormPrint[] = {
    {"FormPrint", "Caption", 1}, {"GroupBox1", "Caption", 2},  {"btnUstawienia", "Caption", 3},
    {"btnDrukuj", "Caption", 4}, {"btnWyjscie", "Caption", 5}, {"gbOption", "Caption", 6},
    {"cbLang", "Text", 7},       {"cbLang", "Items", 8},       {"Label1", "Caption", 9},
    {"Label2", "Caption", 10},
};

constexpr TextEntry kFormAutor[] = {
    {"FormAutor", "Caption", 1},
    {"btnExit", "Caption", 2},
    {"lVersion", "Caption", 3},
};

constexpr TextEntry kFormHardware[] = {
    {"FormHardware", "Caption", 1},
    {"btnExit", "Caption", 2},
};

constexpr TextEntry kFormCheck[] = {
    {"FormCheck", "Caption", 1},   {"lHelp", "Caption", 2},  {"lFindings", "Caption", 3},
    {"lViews", "Caption", 4},      {"btnFit", "Caption", 5}, {"btnClose", "Caption", 6},
    {"lNoFindings", "Caption", 7}, {"cbWhy", "Items", 8},
};

constexpr TextEntry kFormPlayer[] = {
    {"FormPlayer", "Caption", 1},
    {"btnOpen", "Caption", 2},
    {"btnFlash", "Caption", 3},
    {"lDestination", "Caption", 4},
    {"lLanguage", "Caption", 5},
    {"lTime", "Caption", 6},
    {"btnPlay", "Caption", 7},
    {"btnPause", "Caption", 8},
    {"btnSaveGif", "Caption", 9},
    {"btnClose", "Caption", 10},
    {"FormPlayer", "AllDestinations", 11},
    {"FormPlayer", "NoImage", 12},
    {"FormPlayer", "FlashImage", 13},
    {"SaveDialogAnimation", "DefaultExt", 14},
    {"SaveDialogAnimation", "FileName", 15},
    {"SaveDialogAnimation", "Filter", 16},
    {"SaveDialogAnimation", "Title", 17},
    {"btnStepBack", "Caption", 18},
    {"btnStepForward", "Caption", 19},
    {"btnCancelSave", "Caption", 20},
    {"FormPlayer", "NoExportYet", 21},
};

constexpr TextEntry kFormFind[] = {
    {"FormFind", "Caption", 1},
    {"lFind", "Caption", 2},
    {"btnOpen", "Caption", 3},
    {"btnClose", "Caption", 4},
};

constexpr TextEntry kFormChanges[] = {
    {"FormChanges", "Caption", 1},
    {"lChanges", "Caption", 2},
    {"btnApply", "Caption", 3},
    {"btnCancel", "Caption", 4},
};

static_assert(std::size(kMainForm) == 162);
static_assert(std::size(kFormPrint) == 10);
static_assert(std::size(kFormCheck) == 8);

/// The entries of a catalogue as texts of the window `path` names; an entry
/// number the window already has is its own.
std::vector<TextEntry> withCatalogue(std::span<const TextEntry> own, const char* path,
                                     std::span<const CatalogueText> catalogue) {
    std::vector<TextEntry> out(own.begin(), own.end());
    for (const CatalogueText& t : catalogue)
        if (std::none_of(own.begin(), own.end(), [&](const TextEntry& e) { return e.id == t.id; }))
            out.push_back({path, "Text", t.id});
    return out;
}

const std::vector<TextEntry>& formCheckAll() {
    static const std::vector<TextEntry> all = withCatalogue(kFormCheck, "FindingTexts", findingCatalogue());
    return all;
}

const std::vector<TextEntry>& messagesAll() {
    static const std::vector<TextEntry> all = withCatalogue({}, "Messages", messageCatalogue());
    return all;
}

}  // namespace

std::span<const TextEntry> mainFormTexts() {
    return kMainForm;
}
std::span<const TextEntry> formPrintTexts() {
    return kFormPrint;
}
std::span<const TextEntry> formAutorTexts() {
    return kFormAutor;
}
std::span<const TextEntry> formHardwareTexts() {
    return kFormHardware;
}
std::span<const TextEntry> formPlayerTexts() {
    return kFormPlayer;
}
std::span<const TextEntry> formFindTexts() {
    return kFormFind;
}

std::span<const TextEntry> formCheckTexts() {
    return formCheckAll();
}

std::span<const TextEntry> messageTexts() {
    return messagesAll();
}

std::span<const TextEntry> formChangesTexts() {
    return kFormChanges;
}

std::span<const TextEntry> textEntriesFor(const QString& windowName) {
    const auto is = [&](const char* name) {
        return windowName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("MainForm")) return kMainForm;
    if (is("FormPrint")) return kFormPrint;
    if (is("FormAutor")) return kFormAutor;
    if (is("FormHardware")) return kFormHardware;
    if (is("FormCheck")) return formCheckAll();
    if (is("FormPlayer")) return kFormPlayer;
    if (is("FormFind")) return kFormFind;
    if (is("FormChanges")) return kFormChanges;
    if (is("Messages")) return messagesAll();
    return {};
}

QStringList translatableWindows() {
    return {QStringLiteral("MainForm"),  QStringLiteral("FormHardware"), QStringLiteral("FormPrint"),
            QStringLiteral("FormAutor"), QStringLiteral("FormPlayer"),   QStringLiteral("FormCheck"),
            QStringLiteral("FormFind"),  QStringLiteral("FormChanges"),  QStringLiteral("Messages")};
}

bool isStringListProperty(const QString& property) {
    return property.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0 ||
           property.compare(QLatin1String("Lines"), Qt::CaseInsensitive) == 0;
}

}  // namespace lt::i18n
