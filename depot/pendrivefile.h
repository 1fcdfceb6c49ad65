#pragma once
// The one test every command puts a pendrive file to before using it, and
// the words it refuses a file with. A pendrive file opens, holds exactly
// 8,388,608 bytes and its header describes a sign of 128 x 32 LEDs; a project
// file given instead is named as one.

#include "display/flash.h"

#include <QString>

namespace lt {

/// "cannot open FILE: REASON", with the system's own reason.
QString msgCannotOpen(const QString& path, const QString& reason);
/// "FILE is not a pendrive file: WHY".
QString msgNotPendrive(const QString& path, const QString& why);
/// "FILE is a project file, not a pendrive file".
QString msgProjectNotPendrive(const QString& path);

/// How much of a pendrive file is looked at: the header too (what the player
/// and recover need), or only the size (describing or carrying over any
/// image of the right size, a foreign one included).
enum class PendriveTest { Header, SizeOnly };

/// Reads a pendrive file into `flash`; an empty string when it is one, else
/// the message that says why not (naming the file). On failure `flash` is as
/// it was.
QString readPendriveFile(const QString& path, sflash& flash, PendriveTest test = PendriveTest::Header);

}  // namespace lt
