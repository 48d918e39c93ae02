#pragma once

#include <QString>

namespace vantor {

// Asks the user for a folder in a dialog titled title ("Seleziona la cartella" when title is
// empty), above every tool window. It opens at startFolder, or at the home folder when that is
// empty or gone. Returns the chosen folder, or an empty string when the dialog is cancelled.
QString BrowseForFolder(const QString& title, const QString& startFolder = {});

} // namespace vantor
