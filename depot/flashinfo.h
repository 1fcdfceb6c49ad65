#pragma once
// The description of a display image that `linetint-cli info` prints: its
// header, its languages and the screens in use, as JSON and as text. Any
// 8,388,608 bytes give a description.

#include "display/flash.h"

#include <QJsonObject>
#include <QString>

namespace lt {

/// The name of a view type code, "unknown (n)" beyond 0..3.
QString flashViewTypeName(int typ);

/// The header, the languages and, per language, the screens in use.
QJsonObject describeFlash(const sflash& flash);

/// A description made by describeFlash as text for people.
QString flashInfoText(const QJsonObject& info);

/// A name as `info` prints it for people: control characters are written as
/// \r, \n, \t or \xHH, so a stray byte shows instead of breaking the line.
QString escapeControls(const QString& text);

}  // namespace lt
