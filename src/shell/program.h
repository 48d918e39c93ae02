#pragma once

namespace vantor {

// Starts the program: refuses a second instance, sets the shared state, loads the hidden main
// window and puts its icon in the tray. Returns false when the process must end at once.
bool Main();

} // namespace vantor
