#pragma once

#include "core/colours.h"

#include <QPoint>

namespace vantor {

// The colours the user picks, kept in the settings beside the images folder: the history and
// the format they are copied in.
ColourHistory storedColourHistory();
ColourFormat chosenColourFormat();
void setColourFormat(ColourFormat format);

// Copies the colour of the device pixel under the pointer at `at` to the clipboard in the chosen
// format and adds it to the history. A pointer on no monitor (one that just went away) or a
// copy the desktop refuses picks nothing, and says so.
void pickColourAt(QPoint at);
// Copies a colour of the history again, in the chosen format.
void copyColour(QRgb colour);

} // namespace vantor
