#pragma once

#include <QString>

#include <optional>

namespace vantor {

// Lengths a ruler accepts from the "Set lenght" box.
inline constexpr int SmallestTypedLenght = 11;
inline constexpr int LargestTypedLenght = 32767;

// The length typed into the "Set lenght" box: a whole number from SmallestTypedLenght to
// LargestTypedLenght, blanks around it allowed. Anything else (empty, letters, decimals, signs,
// larger numbers) gives no value and leaves the ruler as it is.
std::optional<int> parseLenghtAnswer(const QString& answer);

} // namespace vantor
