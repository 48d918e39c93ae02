#include "core/texts.h"

#include "platform/language.h"

#include <array>

namespace vantor {

namespace {

struct Entry {
    const char* english;
    const char* italian;
};

// clang-format off
constexpr std::array<Entry, LastTextId - FirstTextId + 1> table = {{
    {"Vantor Screen Tools", "Vantor Screen Tools"},                                   // 101
    {"Lenght", "Lunghezza"},                                                          // 102
    {"Delete", "Elimina"},                                                            // 103
    {"Add rule", "Aggiungi righello"},                                                // 104
    {"Delete rules", "Elimina tutti i righelli"},                                     // 105
    {"Exit", "Uscita"},                                                               // 106
    {"Lock rules", "Blocca righelli"},                                                // 107
    {"Join rules", "Unisci righelli"},                                                // 108
    {"Rotate", "Ruota"},                                                              // 109
    {"Set lenght", "Imposta lunghezza"},                                              // 110
    {"Insert new length for the rule", "Inserisci la nuova lunghezza per il righelli"}, // 111
    {"Hide/Show all", "Nascondi/Mostra tutto"},                                       // 112
    {"Snap to line grid", "Linee guida calamitate"},                                  // 113
    {"Move", "Sposta"},                                                               // 114
    {"Add vertical grid line", "Aggiungi linea guida verticale"},                     // 115
    {"Add Horizontal grid line", "Aggiungi linea guida orizzontale"},                 // 116
    {"Add section panel", "Aggiungi pannello di sezione"},                            // 117
    {"Lock", "Blocca"},                                                               // 118
    {"Dock to screen", "Calamita allo schermo"},                                      // 119
    {"Snap section", "Cattura sezione"},                                              // 120
    {"Set path for saved images", "Imposta percorso di salvataggio delle immagini"},  // 121
    {"Invalid path for save image", "Percorso di salvataggio non valido"},            // 122
    {"Save image", "Salva immagine"},                                                 // 123
    {"capture.screen", "cattura.schermo"},                                            // 124
    {"capture.section", "cattura.sezione"},                                           // 125
    {"Set images folder...", "Imposta cartella immagini..."},                         // 126
    {"View images folder", "Vai alla cartella delle immagini"},                       // 127
    {"Options...", "Opzioni..."},                                                     // 128
    {"capture.window", "cattura.finestra"},                                           // 129
    {"About...", "Informazioni..."},                                                  // 130
    {"capture.zoom", "cattura.zoom"},                                                 // 131
    {"Close", "Chiudi"},                                                              // 132
    {"Measure", "Misura"},                                                            // 133
    {"capture.measure", "cattura.misura"},                                            // 134
    {"Snap to edges", "Aggancia ai bordi"},                                           // 135
    {"Tolerance", "Tolleranza"},                                                      // 136
    {"Nothing inside", "Niente all'interno"},                                         // 137
    {"Image format", "Formato immagine"},                                             // 138
    {"Copy captures to the clipboard", "Copia le catture negli appunti"},             // 139
    {"Colours", "Colori"},                                                            // 140
    {"Colour format", "Formato colore"},                                              // 141
    {"Grid", "Griglia"},                                                              // 142
}};
// clang-format on

} // namespace

QString textFor(int id, Language language) {
    if (id < FirstTextId || id > LastTextId)
        return {};
    const Entry& entry = table[static_cast<size_t>(id - FirstTextId)];
    return QString::fromUtf8(language == Language::Italian ? entry.italian : entry.english);
}

Language userLanguage() {
    return userLanguageIsItalian() ? Language::Italian : Language::English;
}

QString LoadText(int id) {
    return textFor(id, userLanguage());
}

QString ownTextFor(OwnText id, Language language) {
    const bool italian = language == Language::Italian;
    switch (id) {
    case OwnText::SettingsUnreadable:
        return italian ? QStringLiteral("Il file delle impostazioni %1 non si legge bene: %2.")
                       : QStringLiteral("The settings file %1 cannot be read properly: %2.");
    case OwnText::SettingsNotStored:
        return italian ? QStringLiteral("La cartella delle immagini non si può salvare in %1: %2. "
                                        "Le catture vanno in %3 fino alla chiusura del programma.")
                       : QStringLiteral("The images folder cannot be stored in %1: %2. Captures "
                                        "go to %3 until the program ends.");
    case OwnText::ScreenNotSettled:
        return italian ? QStringLiteral("Dopo %1 secondi lo schermo mostrava ancora la finestra "
                                        "del programma: non è stato salvato nulla.")
                       : QStringLiteral("After %1 seconds the screen still showed the program's "
                                        "window: nothing was saved.");
    case OwnText::CopyNoService:
        return italian ? QStringLiteral("Questo desktop non dà al programma alcuna copia dello "
                                        "schermo: non è stato salvato nulla. Installa "
                                        "xdg-desktop-portal con il portale del tuo desktop "
                                        "(xdg-desktop-portal-wlr, -kde o -gnome) e riavvia il "
                                        "programma.")
                       : QStringLiteral("This desktop gives the program no copy of the screen: "
                                        "nothing was saved. Install xdg-desktop-portal with your "
                                        "desktop's portal (xdg-desktop-portal-wlr, -kde or "
                                        "-gnome) and start the program again.");
    case OwnText::CopyNoLiveCopies:
        return italian ? QStringLiteral("La lente ha bisogno di una copia dello schermo dal vivo, "
                                        "che questo desktop non dà al programma.")
                       : QStringLiteral("The lens needs a live copy of the screen, which this "
                                        "desktop does not give the program.");
    case OwnText::CopyDenied:
        return italian ? QStringLiteral("Il desktop ha rifiutato la copia dello schermo: non è "
                                        "stato salvato nulla. Permetti le schermate a Vantor "
                                        "Screen Tools nelle impostazioni del desktop.")
                       : QStringLiteral("The desktop refused the copy of the screen: nothing was "
                                        "saved. Allow screenshots for Vantor Screen Tools in the "
                                        "desktop's settings.");
    case OwnText::CopyFailed:
        return italian ? QStringLiteral("Il servizio di schermate del desktop non ha dato "
                                        "un'immagine in tempo: non è stato salvato nulla.")
                       : QStringLiteral("The desktop's screenshot service gave no picture in "
                                        "time: nothing was saved.");
    case OwnText::StartAtLogin:
        return italian ? QStringLiteral("Avvia all'accesso") : QStringLiteral("Start at login");
    case OwnText::NoFolderViewer:
        return italian ? QStringLiteral("Nessun programma apre le cartelle su questo sistema. Le "
                                        "immagini sono in %1.")
                       : QStringLiteral("No program opens folders on this system. The images "
                                        "are in %1.");
    }
    return {};
}

QString LoadOwnText(OwnText id) {
    return ownTextFor(id, userLanguage());
}

} // namespace vantor
