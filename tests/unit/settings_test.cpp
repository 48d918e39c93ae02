#include "platform/settings.h"
#include "scopedenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

const QString app = QStringLiteral("vantorScreenTools");
const QString value = QStringLiteral("imageSavePath");

class SettingsStore : public ::testing::Test {
protected:
    QString iniPath() const {
        return home.path() + QStringLiteral("/Korvane/vantorScreenTools.ini");
    }
    void writeIni(const QByteArray& contents) const {
        QDir().mkpath(home.path() + QStringLiteral("/Korvane"));
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir home;
    test::ScopedEnv env{{"XDG_CONFIG_HOME", QFile::encodeName(home.path()).constData()}};
};

} // namespace

TEST_F(SettingsStore, LivesInTheXdgConfigFolderAndReadingBeforeAnyWriteCreatesNothing) {
    EXPECT_EQ(settingsLocation(app), iniPath());
    EXPECT_TRUE(ReadSetting(app, value).isEmpty());
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

TEST_F(SettingsStore, ValuesOfOtherTypesOrBrokenFilesReadAsEmpty) {
    const QList<QByteArray> files = {
        "[General]\nimageSavePath=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n",
        "[General]\nimageSavePath=@ByteArray(abc)\n",
        "[General]\nimageSavePath=a, b\n",
        "[General\nimageSavePath=/x\n",
        "\x00\x01\x02garbage",
    };
    for (const QByteArray& contents : files) {
        writeIni(contents);
        EXPECT_TRUE(ReadSetting(app, value).isEmpty()) << contents.constData();
    }
}

TEST_F(SettingsStore, UnreadableStoreReadsAsEmpty) {
    QDir().mkpath(iniPath()); // a folder where the file should be
    EXPECT_TRUE(ReadSetting(app, value).isEmpty());
    EXPECT_FALSE(WriteSetting(app, value, QStringLiteral("/x")));
}
