#pragma once

namespace vantor {

// Creates and shows a new section panel at the window system's default place.
void NewSectionPanel();

} // namespace vantor
