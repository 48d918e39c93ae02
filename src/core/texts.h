#pragma once

#include <QString>

namespace vantor {

enum class Language { English, Italian };

constexpr int FirstTextId = 101;
constexpr int LastTextId = 142;

// Text number id (101 to 142) in the given language; empty for any other number.
QString textFor(int id, Language language);

// The language of the user's system: Italian for Italian users, English for everyone else.
Language userLanguage();

// Text number id in the user's language, looked up afresh at every call.
QString LoadText(int id);

// Texts of this program's own that the numbered table has no entry for.
enum class OwnText {
    // %1 the settings file, %2 the reason.
    SettingsUnreadable,
    // %1 the settings file, %2 the reason, %3 the folder used until the program ends.
    SettingsNotStored,
    // %1 how many seconds the capture waited.
    ScreenNotSettled,
    // Why a screen copy was refused, and what would give one.
    CopyNoService,
    CopyNoLiveCopies,
    CopyDenied,
    CopyFailed,
    // The Options menu's item that makes the program start when the user logs in.
    StartAtLogin,
    // %1 the folder "View images folder" would have shown.
    NoFolderViewer,
};

QString ownTextFor(OwnText id, Language language);
// The text in the user's language.
QString LoadOwnText(OwnText id);

} // namespace vantor
