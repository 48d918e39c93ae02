// Cursor files are read from the skin folder, which a user may replace: the files generated for
// the program are read with their hot spots, and anything else is turned away with its reason.
#include "painter/cursorfile.h"
#include "testenv.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantor;

TEST(CursorFile, TheGeneratedCursorsAreReadWithTheirHotSpots) {
    for (const auto& [file, hotSpot] : {std::pair{"skin/default/Cursor/matita.cur", QPoint(1, 30)},
                                        std::pair{"skin/default/Cursor/gomma.cur", QPoint(6, 25)},
                                        std::pair{"Resources/Cursor/matita.cur", QPoint(1, 30)}}) {
        QString error;
        const auto cursor =
            readCursorFile(QStringLiteral(VANTOR_SOURCE_DIR "/") + QLatin1String(file), &error);
        ASSERT_TRUE(cursor) << file << ": " << error.toStdString();
        EXPECT_EQ(cursor->hotSpot, hotSpot) << file;
        EXPECT_EQ(cursor->image.size(), QSize(32, 32)) << file;
        EXPECT_TRUE(cursor->image.hasAlphaChannel()) << file;
    }
}

TEST(CursorFile, DamagedOrForeignFilesAreTurnedAwayWithTheirReason) {
    QFile pencil(QStringLiteral(VANTOR_SOURCE_DIR "/skin/default/Cursor/matita.cur"));
    ASSERT_TRUE(pencil.open(QIODevice::ReadOnly));
    const QByteArray good = pencil.readAll();
    // The file with one little-endian 16-bit word changed.
    const auto with = [&](int at, quint16 value) {
        QByteArray bytes = good;
        bytes[at] = char(value & 0xFF);
        bytes[at + 1] = char(value >> 8);
        return bytes;
    };
    const std::tuple<const char*, QByteArray, const char*> rows[] = {
        {"empty", QByteArray(), "empty file"},
        {"short", good.left(12), "too short for a cursor file"},
        {"an icon", with(2, 1), "not a cursor file"},
        {"no pictures", with(4, 0), "not a cursor file"},
        {"entries past the end", with(4, 0xFFFF), "damaged cursor directory"},
        {"picture offset inside the directory", with(18, 4), "damaged cursor directory"},
        {"truncated picture", good.left(good.size() - 1), "picture runs past the end of the file"},
        {"hot spot outside", with(10, 40), "hot spot outside the picture"},
        {"garbage picture", good.left(22) + QByteArray(good.size() - 22, '\x7F'),
         "picture cannot be decoded"},
    };
    QTemporaryDir folder;
    for (const auto& [name, bytes, reason] : rows) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(test::writeFile(path, bytes));
        QString error;
        EXPECT_FALSE(readCursorFile(path, &error)) << name;
        EXPECT_EQ(error, QLatin1String(reason)) << name;
    }
    QString error;
    EXPECT_FALSE(readCursorFile(folder.filePath(QStringLiteral("missing")), &error));
    EXPECT_EQ(error, QStringLiteral("no such file"));
    EXPECT_FALSE(readCursorFile(folder.path(), &error)) << "a folder";
}
