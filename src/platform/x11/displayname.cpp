#include "platform/x11/displayname.h"

namespace vantor {

QString displayIdentity(const QString& displayName) {
    const qsizetype colon = displayName.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return {};
    QString host = displayName.left(colon);
    // "host::1" is a DECnet display; the second colon belongs to the host part.
    if (host.endsWith(QLatin1Char(':')))
        host.chop(1);
    if (host == QLatin1String("unix"))
        host.clear();
    const QString rest = displayName.mid(colon + 1);
    const QString number = rest.section(QLatin1Char('.'), 0, 0);
    bool numeric = false;
    number.toUInt(&numeric);
    if (!numeric)
        return {};
    // Only characters that may stand in a file name.
    for (QChar& c : host)
        if (!c.isLetterOrNumber() && c != QLatin1Char('.') && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    return host + QLatin1Char('_') + QString::number(number.toUInt());
}

} // namespace vantor
