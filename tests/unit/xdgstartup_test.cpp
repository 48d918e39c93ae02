// What the program settles on an X11 desktop before it opens a window: the display its
// single-instance lock is named after, where that lock lies, and the entry that starts it at
// login.
#include "platform/posix/xdgautostart.h"
#include "platform/x11/displayname.h"
#include "platform/x11/instancefile.h"
#include "testenv.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace vantor;

TEST(DisplayIdentity, SpellingsOfOneDisplayMeetAndOthersDoNot) {
    for (const char* local : {":1", ":1.0", ":1.3", "unix:1", "unix:1.0"})
        EXPECT_EQ(displayIdentity(local), "_1") << local;
    EXPECT_EQ(displayIdentity(":12"), "_12");
    EXPECT_EQ(displayIdentity("otherhost:1.0"), "otherhost_1");
    EXPECT_EQ(displayIdentity("[::1]:1"), "___1__1") << "an IPv6 host stays a file name";
    for (const char* broken : {"", "1", ":", ":x", "host"})
        EXPECT_EQ(displayIdentity(broken), "") << broken;
}

TEST(InstanceFile, IsTheSameWhateverTheRuntimeFolderTheEnvironmentNames) {
    const QString lock = instanceFile(QStringLiteral(":1"), QStringLiteral(".lock"));
    EXPECT_EQ(lock, instanceFile(QStringLiteral(":1.0"), QStringLiteral(".lock")));
    for (const char* runtime : {"/tmp/elsewhere", static_cast<const char*>(nullptr)}) {
        test::ScopedEnv env{{"XDG_RUNTIME_DIR", runtime}, {"TMPDIR", runtime}};
        EXPECT_EQ(instanceFile(QStringLiteral(":1"), QStringLiteral(".lock")), lock) << runtime;
    }
}

TEST(AutostartEntry, LivesInTheXdgConfigFolderOrInDotConfigWhenThatIsNotUsable) {
    const QString entry = QStringLiteral("/autostart/vantor-screen-tools.desktop");
    const QString home = QStringLiteral("/home/ana");
    EXPECT_EQ(autostartEntryPath("/home/ana/conf", home), "/home/ana/conf" + entry);
    for (const char* unusable : {"", "conf"})
        EXPECT_EQ(autostartEntryPath(unusable, home), home + "/.config" + entry) << unusable;
}

// A path the desktop's launcher reads back as the one argument it is.
TEST(AutostartEntry, StartsTheProgramByItsPathQuotedAsTheFormatWants) {
    const QString entry = QString::fromUtf8(autostartEntry(QStringLiteral("/usr/bin/vst")));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n") &&
                entry.contains("\nTryExec=/usr/bin/vst\n"))
        << entry.toStdString();
    const std::pair<QString, QString> rows[] = {
        {"/usr/bin/vst", "/usr/bin/vst"},    {"/opt/My Tools/vst", R"("/opt/My Tools/vst")"},
        {"/opt/100%/vst", "/opt/100%%/vst"}, {R"(/a$b/"c"/d\e)", R"("/a\\$b/\\"c\\"/d\\\\e")"},
        {"/opt/ünï/vst", "/opt/ünï/vst"},
    };
    for (const auto& [path, exec] : rows) {
        const QStringList lines = QString::fromUtf8(autostartEntry(path)).split('\n');
        EXPECT_EQ(lines.filter(QRegularExpression("^Exec=")), QStringList{"Exec=" + exec});
    }
}
