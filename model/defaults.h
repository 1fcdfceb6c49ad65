#pragma once
// The defaults of a new project and of a single view.

#include "model/records.h"

#include <QByteArray>

#include <cstdint>
#include <random>

namespace lt {

/// The process-wide pseudo-random generator, seeded from the clock once when
/// the process starts. Every New in one run continues the same sequence.
std::mt19937& processRandom();
/// Reseeds the process generator (tests use it for repeatable sequences).
void seedProcessRandom(std::uint32_t seed);
/// A number drawn uniformly from lo..hi (both inclusive) from processRandom().
int randomInt(int lo, int hi);

/// The banner written into `Info` of every project this program makes.
QString bannerText();

/// The built-in controller firmware block "FIRMWARE", exactly 196,608 bytes.
QByteArray builtinFirmware();
/// The built-in character block "FONTS", 393,288 bytes; nothing reads it.
QByteArray builtinFonts();

/// Fills the project with the defaults of a new project, in the fixed order.
/// Leaves SelectCol, EditCol, pbufX, pbufY, LCDLevel, LCDType, ModuleType and
/// ModuleNr as they are. The caller brings the screen in line with it.
void NewDane(sDane& d);

/// Resets the three regions of view (lang, view) to their defaults; the name,
/// bars, view type, time and use flag stay as they are.
void NewRecord(sDane& d, int lang, int view);

/// Sets Version and Info to the values of a new project.
void setVersionAndBanner(sDane& d);

}  // namespace lt
