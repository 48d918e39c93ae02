#pragma once

namespace vantor {

// Creates and shows a new guide line. align: 1 vertical, 2 horizontal; any other orientation
// creates nothing. position: the screen column (vertical) or row (horizontal) the guide's line
// coordinate goes to; a negative position puts the guide at the default place.
void NewGridLine(int align, int position);

} // namespace vantor
