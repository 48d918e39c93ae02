#pragma once

class QMenu;

namespace vantor {

// Fills menu with the colour history as it is now: the contrast of the two newest colours at its
// head, then each colour with a swatch, newest first; choosing one copies it again. Without
// colours, the key that picks one.
void fillColoursMenu(QMenu& menu);

} // namespace vantor
