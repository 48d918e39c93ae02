#pragma once

#include <QLocale>

namespace vantor {

// True when the user's interface language is Italian.
bool userLanguageIsItalian();

// The locale whose formats the user chose for dates: on POSIX systems the first of LC_ALL,
// LC_TIME and LANG that is set; on Windows the user's regional settings.
QLocale dateLocale();

} // namespace vantor
