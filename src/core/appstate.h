#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vantor {

// The few flags and counters every tool shares, for the life of the process.
struct AppState {
    bool SnapToLineGrid = true;
    bool RulesJoined = false;
    // Guides dropped and panel edges dragged near an edge seen on the screen land on it.
    bool SnapToEdges = false;
    // Choices of the Options menu made in this run, holding even where the settings could not
    // keep them: PNG rather than BMP, captures copied to the clipboard.
    std::optional<bool> PngChosen;
    std::optional<bool> CopyCapturesChosen;
    // Wide enough that numbering never wraps, however many captures a session makes.
    qint64 CaptureNumber = 1;
    // The images folder chosen in this run when the settings could not keep it.
    QString SessionImagesFolder;
    // Whether the user has been told this run that the settings cannot be used.
    bool SettingsProblemTold = false;
};

AppState& appState();

} // namespace vantor
