#pragma once

namespace vantor {

// The orientation of rulers and guide lines alike, numbered as the program has always numbered
// it (1 vertical, 2 horizontal), so values read from older code paths keep their meaning.
enum class Align { Vertical = 1, Horizontal = 2 };

constexpr Align turned(Align align) {
    return align == Align::Vertical ? Align::Horizontal : Align::Vertical;
}

} // namespace vantor
