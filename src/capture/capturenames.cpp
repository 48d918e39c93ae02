#include "capture/capturenames.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vantor {

QString captureNumberText(qint64 number) {
    const QString digits = QString::number(number);
    return number >= 0 && number < 10 ? QLatin1Char('0') + digits : digits;
}

QString portableFileName(const QString& name) {
    // The union of what Windows and POSIX file systems refuse, so a name made on one works on
    // the other (a capture folder on a shared or removable drive).
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString result = name;
    for (QChar& c : result)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            c = QLatin1Char('-');
    return result;
}

QString captureDateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::ShortFormat).replace(QLatin1Char('/'), QLatin1Char('-'));
}

QString datedFolderName(const QDate& date, const QLocale& locale) {
    return portableFileName(QStringLiteral("Catture di ") +
                            locale.toString(date, QLocale::LongFormat));
}

QString captureBaseName(qint64 number, const QString& prefix, const QString& dateText) {
    return portableFileName(captureNumberText(number) + QStringLiteral(") ") + prefix +
                            QLatin1Char('.') + dateText);
}

QString sizedPrefix(const QString& word, QSize size) {
    return QStringLiteral("%1.(%2x%3)").arg(word).arg(size.width()).arg(size.height());
}

QString captureFileName(const QString& baseName, int attempt, ImageFormat format) {
    const QString extension =
        format == ImageFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
    if (attempt <= 0)
        return baseName + extension;
    return baseName + QStringLiteral(" (") + QString::number(attempt) + QLatin1Char(')') +
           extension;
}

QString MakeFolderPath(const QString& path) {
    QString normal = QDir::fromNativeSeparators(path);
    // Two leading separators name a network share; keep them, collapse every other pair.
    const bool network = normal.startsWith(QStringLiteral("//"));
    if (network)
        normal.remove(0, 2);
    while (normal.contains(QStringLiteral("//")))
        normal.replace(QStringLiteral("//"), QStringLiteral("/"));

    const QStringList components = normal.split(QLatin1Char('/'));
    // The first component is the root ("" before an absolute path's "/") or a drive: taken as is.
    QString current = (network ? QStringLiteral("//") : QString()) + components.first();
    for (qsizetype i = 1; i < components.size(); ++i) {
        if (components[i].isEmpty())
            continue;
        current += QLatin1Char('/') + components[i];
        if (!QFileInfo::exists(current))
            QDir().mkdir(current);
    }
    if (current.isEmpty() && normal.startsWith(QLatin1Char('/')))
        return QStringLiteral("/");
    return current;
}

} // namespace vantor
