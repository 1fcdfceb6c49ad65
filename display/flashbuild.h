#pragma once
// Building the display image from the project: the header, the languages, the
// settings of all 900 views and the packed pictures of the views in use.

#include "display/flash.h"
#include "model/records.h"
#include "model/text8.h"
#include "render/bitmap.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace lt {

/// The settings and texts of one screen from its view, as the build writes
/// them; the pictures are ConvertBitmapsToScreens' work.
void fillScreen(sscreengray& sc, const sWidok& w, const sflash& flash);

/// `EncodeKorvo2Flash`: fills the header, the language entries and the
/// settings of all 900 screens from the project, then renders and packs the
/// pictures of the views in use (ConvertBitmapsToScreens). Bytes the build
/// never writes (filler, EEPROM, sign, padding, pictures of views not in use)
/// keep their content.
void EncodeKorvo2Flash(sDane& dane, Surfaces& s, sflash& flash);

/// `ConvertBitmapsToScreens`: for every screen in use, makes its view the
/// edited view, renders it, refreshes its thumbnail, packs the three region
/// surfaces into the screen's pictures and unpacks them back into the
/// surfaces. Restores SelWidok and EditRow and renders the edited view again.
void ConvertBitmapsToScreens(sDane& dane, Surfaces& s, sflash& flash);

/// The image that export builds from a project file, made without an editor:
/// the project is opened as the editor opens it (settleOpenedProject, every
/// view drawn once, which measures the text sizes the image records, then the
/// edited view) and built into an image that starts as zeros. An empty string
/// on success, else the message of reading the file, and `flash` is untouched.
QString buildProjectFileImage(const QString& path, sflash& flash);

}  // namespace lt
