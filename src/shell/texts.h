#pragma once

#include <QString>

namespace vantor {

enum class Language { English, Italian };

constexpr int FirstTextId = 101;
constexpr int LastTextId = 132;

// Text number id (101 to 132) in the given language; empty for any other number.
QString textFor(int id, Language language);

// The language of the user's system: Italian for Italian users, English for everyone else.
Language userLanguage();

// Text number id in the user's language, looked up afresh at every call.
QString LoadText(int id);

} // namespace vantor
