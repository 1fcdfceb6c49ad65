#pragma once
// What changed between two display images (pendrive files): the header field
// by field, and every screen that differs with its settings, texts and the
// pictures of its three regions. Every byte of the image belongs to one of
// the items compared, so two images are reported identical exactly when
// their bytes are equal.

#include "display/flash.h"

#include <QJsonObject>
#include <QList>
#include <QString>

namespace lt {

/// One field with different values; the values as a person reads them.
struct FieldChange {
    QString field;
    QString before;
    QString after;
};

/// A packed region picture that differs.
struct PictureChange {
    QString region;                                // "top", "left" or "bottom"
    int bytes = 0;                                 // changed bytes of ekran
    int pixels = 0;                                // changed pixels (bits)
    int left = 0, right = 0, top = 0, bottom = 0;  // smallest box holding them, inclusive
    bool shown = true;  // the screen's view type (in the second image) shows the region
};

/// A screen that differs.
struct ScreenChange {
    int lang = 0;
    int view = 0;
    QList<FieldChange> settings;  // use, time, layout, region settings
    QList<FieldChange> texts;     // destination name, region texts and font names
    QList<PictureChange> pictures;
};

struct ImageDiff {
    QList<FieldChange> header;  // header fields, language entries and the large blocks
    QList<ScreenChange> screens;
    bool identical() const { return header.isEmpty() && screens.isEmpty(); }
};

/// Compares two images.
ImageDiff diffImages(const sflash& a, const sflash& b);

/// The differences as lines for people: "header: ...", "screen L/V settings: ...".
QStringList diffLines(const ImageDiff& diff);
/// The differences as one JSON object for tools.
QJsonObject diffJson(const ImageDiff& diff);

/// Reads the 8-bit text of an image field for people: up to its zero byte,
/// Latin-1, with the control codes 1..8 shown as the Polish letters they
/// stand for and other control bytes as \xNN.
QString imageText(const char* field, int size);

}  // namespace lt
