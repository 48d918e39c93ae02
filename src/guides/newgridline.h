#pragma once

#include "core/align.h"

namespace vantor {

// Creates and shows a new guide line. position: the screen column (vertical) or row (horizontal)
// the guide's line coordinate goes to; a negative position puts the guide at the default place.
void NewGridLine(Align align, int position);

} // namespace vantor
