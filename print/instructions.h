#pragma once
// The update instructions sheet: one A4 page that tells the depot staff how
// to load the destination list from the USB stick into the sign through its
// control panel. The picture is drawn by the program itself, once, and kept.

#include "render/bitmap.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace lt {

/// Window caption while the instructions sheet is loaded.
inline QString instructionsCaption() {
    return QStringLiteral("Information about actualization firmware and destinations");
}

/// The instruction picture: a 2100 x 2970 A4 page at 10 px/mm carrying the
/// whole procedure, its landscape text turned by 90 degrees on the portrait
/// page (the top of the text lies along the left edge).
const QImage& instructionPicture();

/// `CreateAktualizacja` steps 2 and 4: the page bitmap made white and the
/// instruction picture drawn unscaled at its top-left corner.
void drawInstructionsPage(Bitmap& page);

/// Size of a 16 x 2 character LCD drawing whose dots are `pitch` apart.
QSizeF lcdSize(qreal pitch);

/// Draws the control panel's 16 x 2 character LCD showing two lines of text
/// (each cut to 16 characters) with its top-left corner at `topLeft`.
void drawLcd(QPainter& painter, QPointF topLeft, qreal pitch, const QString& line1, const QString& line2);

}  // namespace lt
