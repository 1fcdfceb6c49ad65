#pragma once
// Projects made in code for the tests.

#include "model/records.h"

#include <memory>

namespace lt::test {

/// A new project as File › New makes it, on zeroed memory so that padding
/// compares equal.
std::unique_ptr<sDane> defaultProject();

}  // namespace lt::test
