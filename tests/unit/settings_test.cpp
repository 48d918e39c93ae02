#include "platform/settings.h"
#include "scopedenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vantor;

namespace {

const QString app = QStringLiteral("vantorScreenTools");
const QString value = QStringLiteral("imageSavePath");

class SettingsStore : public ::testing::Test {
protected:
    QString iniPath() const {
        return home.path() + QStringLiteral("/Korvane/vantorScreenTools.ini");
    }

    QTemporaryDir home;
    test::ScopedEnv env{{"XDG_CONFIG_HOME", QFile::encodeName(home.path()).constData()},
                        {"HOME", "/home/ana"}};
};

} // namespace

TEST_F(SettingsStore, LivesInTheXdgConfigFolderAndReadingBeforeAnyWriteCreatesNothing) {
    EXPECT_EQ(settingsLocation(app), iniPath());
    QString problem = QStringLiteral("stale");
    EXPECT_TRUE(ReadSetting(app, value, &problem).isEmpty());
    EXPECT_TRUE(problem.isEmpty()) << "nothing stored yet is no problem";
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Korvane")));
}

TEST_F(SettingsStore, WrittenValueReadsBackAndReplacesTheOldOne) {
    ASSERT_TRUE(WriteSetting(app, value, QStringLiteral("/home/ana/Immagini")));
    EXPECT_EQ(ReadSetting(app, value), "/home/ana/Immagini");
    ASSERT_TRUE(WriteSetting(app, value, QStringLiteral("/tmp/caps, with comma = and ünïcode")));
    EXPECT_EQ(ReadSetting(app, value), "/tmp/caps, with comma = and ünïcode");
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("[General]"));
}

// Files a user or another program may leave where the settings live. Each is read without
// waiting and without a crash; what cannot be used is said, and what the user meant is read.
TEST_F(SettingsStore, BadFilesAreReadAsMeantOrReportedAndNeverHang) {
    enum Kind { Contents, Folder, Fifo, DanglingLink };
    struct Row {
        const char* name;
        Kind kind;
        QByteArray contents;
        QString read;  // what reading gives
        bool problem;  // whether reading reports one
        bool writable; // whether a new folder can be stored over it
    };
    const QList<Row> rows = {
        {"garbage", Contents, "\x01\x02garbage\n", {}, true, true},
        {"folder", Folder, {}, {}, true, false},
        {"fifo", Fifo, {}, {}, true, false},
        {"dangling link", DanglingLink, {}, {}, true, false},
        {"stray [", Contents, "[Other\n[General]\nimageSavePath=/x/y\n", "/x/y", true, true},
        {"other type", Contents, "[General]\nimageSavePath=@ByteArray(abc)\n", {}, false, true},
        {"commas", Contents, "[General]\nimageSavePath=/a/My,  B\n", "/a/My,  B", false, true},
        {"home path", Contents, "imageSavePath=~/Pictures\n", "/home/ana/Pictures", false, true},
        {"home alone", Contents, "imageSavePath=~\n", "/home/ana", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // A folder of its own for each row: Qt keeps what it read of a file by path.
        const QTemporaryDir config;
        const test::ScopedEnv rowEnv{{"XDG_CONFIG_HOME", QFile::encodeName(config.path())}};
        QDir().mkpath(config.path() + QStringLiteral("/Korvane"));
        const QString ini = settingsLocation(app);
        switch (row.kind) {
        case Contents: {
            QFile file(ini);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.contents);
            break;
        }
        case Folder:
            QDir().mkpath(ini);
            break;
        case Fifo:
            ASSERT_EQ(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
            break;
        case DanglingLink:
            ASSERT_TRUE(QFile::link(config.path() + QStringLiteral("/gone.ini"), ini));
            break;
        }
        QString problem;
        EXPECT_EQ(ReadSetting(app, value, &problem), row.read);
        EXPECT_EQ(!problem.isEmpty(), row.problem) << problem.toStdString();

        const QString chosen = QStringLiteral("/home/ana/Shots, 2026");
        EXPECT_EQ(WriteSetting(app, value, chosen, &problem), row.writable);
        EXPECT_EQ(problem.isEmpty(), row.writable) << problem.toStdString();
        if (row.writable) {
            EXPECT_EQ(ReadSetting(app, value), chosen) << "Qt must read back what was written";
        }
    }
}

TEST_F(SettingsStore, ReasonsNameWhatIsWrong) {
    QDir().mkpath(iniPath());
    QString problem;
    ReadSetting(app, value, &problem);
    EXPECT_EQ(problem, "it is a folder, not a file");
    QDir().rmdir(iniPath());
    ASSERT_TRUE(QFile::link(QStringLiteral("/nowhere/x.ini"), iniPath()));
    WriteSetting(app, value, QStringLiteral("/x"), &problem);
    EXPECT_EQ(problem, "it is a link to /nowhere/x.ini, which does not exist");
}
