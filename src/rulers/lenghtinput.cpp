#include "rulers/lenghtinput.h"

namespace vantor {

std::optional<int> parseLenghtAnswer(const QString& answer) {
    const QString digits = answer.trimmed();
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int value = digits.toInt();
    if (value < SmallestTypedLenght || value > LargestTypedLenght)
        return std::nullopt;
    return value;
}

} // namespace vantor
