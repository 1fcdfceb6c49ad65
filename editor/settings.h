#pragma once
// The controller's settings that the Options menu changes, each as one
// undoable step of the document.

namespace lt {

class Document;

/// `Dane.LCDLevel`, the contrast of the controller's LCD: the low byte of
/// `level` (the step "LCD contrast").
void setLcdLevel(Document& doc, int level);

}  // namespace lt
