#include "capture/browseforfolder.h"

#include "platform/windowservices.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vantor {

QString BrowseForFolder(const QString& title, const QString& startFolder) {
    const QString caption = title.isEmpty() ? QStringLiteral("Seleziona la cartella") : title;
    const QString start = QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
    QFileDialog dialog(nullptr, caption, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // A dialog of the desktop's own cannot be kept above the program's tool windows, which
    // would cover it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (execAboveTools(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace vantor
