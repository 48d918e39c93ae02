#include "platform/settings.h"
#include "testenv.h"

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
    QTemporaryDir home;
    test::ScopedEnv env{{"XDG_CONFIG_HOME", QFile::encodeName(home.path()).constData()},
                        {"HOME", "/home/ana"}};
};

} // namespace

TEST_F(SettingsStore, LivesInTheXdgConfigFolderMadeAtTheFirstWriteAndAValueReadsBack) {
    EXPECT_EQ(settingsLocation(app), home.path() + "/Korvane/vantorScreenTools.ini");
    QString problem = QStringLiteral("stale");
    EXPECT_TRUE(ReadSetting(app, value, &problem).isEmpty());
    EXPECT_TRUE(problem.isEmpty()) << "nothing stored yet is no problem";
    EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("/Korvane")));
    ASSERT_TRUE(WriteSetting(app, value, QStringLiteral("/tmp/caps, with comma = and ünïcode")));
    EXPECT_EQ(ReadSetting(app, value), "/tmp/caps, with comma = and ünïcode");
    QFile file(settingsLocation(app));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("[General]"));
}

// Files a user or another program may leave where the settings live. Each is read without
// waiting and without a crash; what cannot be used is said, with its reason, and what the user
// meant is read. A new folder can then be stored over every file but not over the others.
TEST_F(SettingsStore, BadFilesAreReadAsMeantOrReportedAndNeverHang) {
    enum Kind { Contents, Folder, Fifo, DanglingLink, Huge };
    const QString unreadable = QStringLiteral("it holds a line that cannot be read");
    // The name, what lies there, its contents, what reading gives and the reason it reports.
    const std::tuple<const char*, Kind, QByteArray, QString, QString> rows[] = {
        {"garbage", Contents, "\x01\x02garbage\n", {}, unreadable},
        {"folder", Folder, {}, {}, "it is a folder, not a file"},
        {"fifo", Fifo, {}, {}, "it is not a regular file"},
        {"dangling link", DanglingLink, {}, {}, "it is a link to /no/x.ini, which does not exist"},
        {"huge", Huge, {}, {}, "it is larger than 1 MiB, far more than settings hold"},
        {"byte-order mark", Contents, "\xef\xbb\xbf[General]\nimageSavePath=/x/y\n", "/x/y",
         unreadable},
        {"stray [", Contents, "[Other\n[General]\nimageSavePath=/x/y\n", "/x/y", unreadable},
        {"other type", Contents, "[General]\nimageSavePath=@ByteArray(abc)\n", {}, {}},
        {"commas", Contents, "[General]\nimageSavePath=/a/My,  B\n", "/a/My,  B", {}},
        {"home path", Contents, "imageSavePath=~/Pictures\n", "/home/ana/Pictures", {}},
        {"home alone", Contents, "imageSavePath=~\n", "/home/ana", {}},
    };
    for (const auto& [name, kind, contents, read, reason] : rows) {
        SCOPED_TRACE(name);
        // A folder of its own for each row: Qt keeps what it read of a file by path.
        const QTemporaryDir config;
        const test::ScopedEnv rowEnv{{"XDG_CONFIG_HOME", QFile::encodeName(config.path())}};
        QDir().mkpath(config.path() + QStringLiteral("/Korvane"));
        const QString ini = settingsLocation(app);
        if (kind == Folder)
            QDir().mkpath(ini);
        else if (kind == Fifo)
            ASSERT_EQ(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == DanglingLink)
            ASSERT_TRUE(QFile::link(QStringLiteral("/no/x.ini"), ini));
        else if (kind == Huge) // sparse: a gigabyte that takes no room
            ASSERT_TRUE(test::writeFile(ini, "imageSavePath=/x\n") &&
                        QFile::resize(ini, qint64(1) << 30));
        else
            ASSERT_TRUE(test::writeFile(ini, contents));
        QString problem;
        EXPECT_EQ(ReadSetting(app, value, &problem), read);
        EXPECT_EQ(problem, reason);
        const QString chosen = QStringLiteral("/home/ana/Shots, 2026");
        EXPECT_EQ(WriteSetting(app, value, chosen, &problem), kind == Contents);
        EXPECT_EQ(problem, kind == Contents ? QString() : reason);
        if (kind == Contents) {
            EXPECT_EQ(ReadSetting(app, value), chosen) << "Qt must read back what was written";
        }
    }
}
