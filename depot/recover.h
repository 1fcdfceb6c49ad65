#pragma once
// Rebuilding a project from a pendrive file alone: every field the image
// build copies from the project is read back from the image, everything else
// takes the value a new project has. The 8-bit texts lose the difference
// between a capital Polish letter and its plain letter and between ź and ż;
// where the image also holds the picture of a region, the reading whose
// rendering reproduces that picture is chosen.

#include "display/flash.h"
#include "model/prompts.h"
#include "model/records.h"
#include "render/text.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace lt {

/// The letters an 8-bit text character may stand for, the plain reading
/// first: the byte's own Latin-1 character (or, for the control codes 1..8,
/// the small Polish letter of AnsiCharToString), then every other letter that
/// the image build turns into the same byte, in the order of its table.
QString readingsOf(std::uint8_t byte);

/// A region's picture as the image holds it: its packed bytes and size.
struct PackedPicture {
    const std::uint8_t* bits = nullptr;
    int width = 0;  // pixels; a multiple of 8
    int rows = 0;
};

/// The outcome of reading one region's text against its picture.
struct TextReading {
    QString text;        // the chosen reading
    bool exact = false;  // its rendering reproduces the picture bit for bit
    int renders = 0;     // how many candidate texts were rendered
};

/// Chooses, among the readings of the 8-bit text that readingsOf allows, the
/// one whose rendering with the region's settings (font, size, style,
/// smoothing, colours, position) reproduces the picture. Ambiguous characters
/// are decided one at a time from left to right, each keeping the letter that
/// brings the rendering closest to the picture, so the work grows with the
/// length of the text, not with the number of combinations. When the result
/// does not reproduce the picture the plain reading is returned, not exact.
TextReading readRegionText(const char* chars, int capacity, const sScreenImage& settings,
                           const PackedPicture& picture);

/// The other readings of a text whose rendering reproduces the picture as
/// well as `chosen` does: texts that differ from it in one ambiguous character
/// and that the picture cannot tell apart from it (an accent cut off at the
/// picture's edge, or two accents drawn alike at a small size). Empty when the
/// picture decides every character.
QStringList otherReadings(const char* chars, int capacity, const sScreenImage& settings,
                          const PackedPicture& picture, const QString& chosen);

/// One region whose recovered text does not reproduce its picture, or whose
/// picture fits more than one reading.
struct RecoverFinding {
    int lang = 0;    // 1..3
    int view = 0;    // 1..300
    QString region;  // "top", "bottom" or "left"
    QString text;    // the reading kept (the plain one)
    QString why;
    QStringList readings;  // the other readings the picture fits
    /// "LANGUAGE/VIEW REGION: why"
    QString line() const;
};

/// What a recovery found.
struct RecoverReport {
    int viewsInUse = 0;    // screens in use recovered, all languages
    int regionsExact = 0;  // regions with a picture that their text alone reproduces
    int regionsAmbiguous = 0;  // regions whose picture other readings reproduce as well
    int regionsNotExact = 0;
    QList<RecoverFinding> findings;   // the regions not read exactly
    QList<RecoverFinding> ambiguous;  // the regions whose picture fits more than one reading
    /// The finding lines, then the summary line.
    QString text() const;
    QString summary() const;
    QJsonObject json() const;
};

/// Fills dane with the project the image was built from. dane is replaced
/// whole; nothing else is read.
RecoverReport recoverProject(const sflash& flash, sDane& dane);

/// Reads screen l/v of the image back into its view record: its name,
/// settings and time, and for a screen in use the texts of the regions its
/// view type shows, read against their pictures. What it read is added to
/// report. recoverProject does this for every screen.
void recoverView(const sflash& flash, int l, int v, sWidok& w, RecoverReport& report);

/// Reads a pendrive file for recovery. A file of the project's size that
/// reads as a project, a file of any other size, or an image whose header
/// does not describe the 128 x 32 sign is refused with the message to show;
/// an empty string on success.
QString readImageForRecovery(const QString& path, sflash& flash);

/// The question File > "Recover project from pendrive…" asks first.
inline QString msgRecoverConfirm() {
    return QStringLiteral("Are you sure to load new project from pendrive file ?");
}

}  // namespace lt
