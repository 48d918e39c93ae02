// Cursor files are read from the skin folder, which a user may replace: the files generated for
// the program are read with their hot spots, and anything else is turned away with its reason.
#include "painter/cursorfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

QByteArray pencilBytes() {
    QFile file(QStringLiteral(VANTOR_SOURCE_DIR "/skin/default/Cursor/matita.cur"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setWord(QByteArray& bytes, int at, quint16 value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

} // namespace

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
    const QByteArray good = pencilBytes();
    ASSERT_FALSE(good.isEmpty());
    const auto with = [&](int at, quint16 value) {
        QByteArray bytes = good;
        setWord(bytes, at, value);
        return bytes;
    };
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } rows[] = {
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
    for (const auto& row : rows) {
        const QString path = folder.filePath(QString::fromLatin1(row.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.bytes);
        file.close();
        QString error;
        EXPECT_FALSE(readCursorFile(path, &error)) << row.name;
        EXPECT_EQ(error, QLatin1String(row.reason)) << row.name;
    }
    QString error;
    EXPECT_FALSE(readCursorFile(folder.filePath(QStringLiteral("missing")), &error));
    EXPECT_EQ(error, QStringLiteral("no such file"));
    EXPECT_FALSE(readCursorFile(folder.path(), &error)) << "a folder";
}
