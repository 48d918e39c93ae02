#include "platform/language.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vantor {

QLocale dateLocale() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        QByteArray value = qgetenv(variable);
        if (value.isEmpty())
            continue;
        // language[_territory][.codeset][@modifier]: QLocale wants the first two parts only.
        for (qsizetype i = 0; i < value.size(); ++i)
            if (value[i] == '.' || value[i] == '@') {
                value.truncate(i);
                break;
            }
        if (value == "C" || value == "POSIX")
            return QLocale::c();
        return QLocale(QString::fromLatin1(value));
    }
    return QLocale::c();
}

} // namespace vantor
