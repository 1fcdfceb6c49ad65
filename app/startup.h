#pragma once

class QApplication;

namespace lt {

/// Runs the start-up sequence, then the event loop until the main window
/// closes; returns the process exit code.
int runEditor(QApplication& app);

}  // namespace lt
