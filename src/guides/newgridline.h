#pragma once

#include "core/align.h"

#include <optional>

namespace vantor {

// Creates and shows a new guide line. position: the screen column (vertical) or row (horizontal)
// the guide's line coordinate goes to, negative left of or above the primary monitor; without
// one the guide goes to the default place.
void NewGridLine(Align align, std::optional<int> position = std::nullopt);

} // namespace vantor
