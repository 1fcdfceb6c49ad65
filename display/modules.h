#pragma once
// The LED module catalogue of the "Display model" window and the rules of the
// module and LCD windows, kept apart from the windows so they can be tested.

#include "model/records.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace lt {

/// One catalogue entry: an LED module the sign can be built from.
struct sModule {
    std::int32_t X;         // module width in LEDs
    std::int32_t Y;         // module height in LEDs
    double Pitch;           // LED pitch, millimetres
    char Serial[31];        // serial or part designation, 30 characters at most
    char Name[201];         // description shown in Memo, built with the catalogue
    std::int32_t Hub;       // connector (HUB) standard number
    std::int32_t ScanLine;  // scan rate of the module
    std::int32_t Typ;       // type code; its low byte becomes Dane.ModuleType
    char CBox[51];          // line of the selection list, built with the catalogue
};

inline constexpr int ModuleCapacity = 30;

/// The catalogue: `Module` numbered 1..30, of which `ModuleCount` are in use;
/// the other entries are all zero.
struct ModuleCatalogue {
    sModule Module[ModuleCapacity];
    std::int32_t ModuleCount = 0;

    /// Entry k, 1-based; the caller keeps k in 1..ModuleCount.
    const sModule& module(int k) const { return Module[k - 1]; }
    /// The selection-list lines of entries 1..ModuleCount.
    QStringList cboxTexts() const;
};

/// Fills the catalogue and builds each entry's Name and CBox (pitch decimals
/// with the locale's separator).
ModuleCatalogue buildModuleCatalogue(const QLocale& locale = QLocale());

/// The pitch as the texts show it: "%d" when whole, else two decimals.
QString pitchText(double pitch, const QLocale& locale = QLocale());

/// The list position the window preselects for the project's module: entry 1
/// when none was chosen or the stored number lies beyond the catalogue.
int moduleListPosition(const sDane& dane, const ModuleCatalogue& catalogue);

/// OK of the module window with list position `position`: stores ModuleNr and
/// ModuleType. A position outside the catalogue (no entry chosen) keeps the
/// stored module.
void applyModuleChoice(sDane& dane, const ModuleCatalogue& catalogue, int position);

/// The LCD types of the LCD window, in list order.
QStringList lcdTypeTexts();
inline constexpr int ContrastMin = 1;
inline constexpr int ContrastMax = 16;
inline constexpr int ContrastDefault = 4;
/// A contrast level as the contrast box holds it: within 1..16.
int clampContrast(int level);
/// The result of the LCD window: the box's value after OK, else the level it
/// was opened with.
int lcdDialogResult(int lcd, bool ok, int boxValue);

}  // namespace lt
