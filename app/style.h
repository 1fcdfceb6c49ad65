#pragma once
// The built-in visual style "Aqua Light Slate": a calm light slate look made
// of the Fusion style, a palette and a style sheet, the same in every window.

class QApplication;
class QString;

namespace lt {

/// The style's name as the program shows it.
QString aquaLightSlateName();

/// Applies the style to the application; false when the base style is not
/// available (the program then keeps the platform's look).
bool applyAquaLightSlate(QApplication& app);

}  // namespace lt
