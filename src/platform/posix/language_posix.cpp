#include "platform/language.h"

#include <QByteArray>
#include <QtGlobal>

namespace vantor {

bool userLanguageIsItalian() {
    // The first of these that is set decides the language of messages, as for every POSIX program.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return value.startsWith("it_") || value == "it" || value.startsWith("it.") ||
                   value.startsWith("it@");
    }
    return false;
}

} // namespace vantor
