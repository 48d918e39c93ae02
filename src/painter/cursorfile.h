#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

namespace vantor {

// A cursor read from a Windows .cur file: its first picture and its hot spot.
struct CursorPicture {
    QImage image;
    QPoint hotSpot;
};

// Reads the cursor file at path; no value when it is missing, unreadable or not a cursor file
// (error, when given, receives the reason in a few words). The picture always has an alpha
// channel, and the hot spot always lies inside it.
std::optional<CursorPicture> readCursorFile(const QString& path, QString* error = nullptr);

} // namespace vantor
