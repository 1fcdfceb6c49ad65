#pragma once

namespace lt {

/// Prepares a process that renders without a display (the command-line
/// companion, tests, benchmarks): the offscreen platform unless another one
/// is chosen, and a private runtime folder when the session has none.
/// Call before the application object is made.
void prepareHeadless();

}  // namespace lt
