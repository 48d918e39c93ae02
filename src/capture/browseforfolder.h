#pragma once

#include <QString>

namespace vantor {

// Asks the user for a folder in a dialog titled title ("Seleziona la cartella" when title is
// empty). Returns the chosen folder, or an empty string when the dialog is cancelled.
QString BrowseForFolder(const QString& title);

} // namespace vantor
