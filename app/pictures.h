#pragma once
// The fixed pictures of the editor's windows, drawn in code so that the
// program carries no artwork files: the about picture, the controller
// hardware picture and the four view-type pictures of `ImageWidoki`.

#include <QImage>

namespace lt {

/// The picture of the about window: the product name above a lit sign.
QImage aboutPicture(int width, int height);

/// The picture of the hardware window: the sign controller board.
QImage hardwarePicture(int width, int height);

/// Picture `type` (0..3) of `ImageWidoki`: the layout of that view type as
/// the sign shows it, 128 x 32.
QImage viewTypePicture(int type);

}  // namespace lt
