#include "platform/language.h"

namespace vantor {

// Qt's system locale on Windows reads the user's regional settings, custom date formats included.
QLocale dateLocale() {
    return QLocale::system();
}

} // namespace vantor
