#include "platform/language.h"

#include <windows.h>

namespace vantor {

bool userLanguageIsItalian() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ITALIAN;
}

} // namespace vantor
