#pragma once
// The pictures of the "Display model" window: one 256 x 128 drawing of each
// catalogue module, as the board's LED face looks with a test pattern lit.

#include "display/modules.h"

#include <QImage>
#include <QList>

namespace lt {

inline constexpr int ModulePictureWidth = 256;
inline constexpr int ModulePictureHeight = 128;

/// The picture of one module: its LED face with X x Y LEDs at its pitch.
QImage drawModulePicture(const sModule& module, int number);

/// The image list of the window: picture k - 1 for catalogue entry k.
QList<QImage> moduleImageList(const ModuleCatalogue& catalogue);

}  // namespace lt
