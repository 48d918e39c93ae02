#include "capture/browseforfolder.h"

#include <QFileDialog>

namespace vantor {

QString BrowseForFolder(const QString& title) {
    const QString caption = title.isEmpty() ? QStringLiteral("Seleziona la cartella") : title;
    return QFileDialog::getExistingDirectory(nullptr, caption);
}

} // namespace vantor
