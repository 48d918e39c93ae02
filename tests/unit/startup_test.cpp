// What the program settles before it opens a window: its arguments, the platform it runs on,
// the display its single-instance lock is named after and the entry that starts it at login.
#include "platform/posix/xdgautostart.h"
#include "platform/x11/displayname.h"
#include "platform/xwayland.h"
#include "shell/commandline.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace vantor;

TEST(CommandLine, VersionAndHelpAnswerOnStandardOutputAndAnythingElseIsRefused) {
    EXPECT_FALSE(answerArguments({}).has_value());
    EXPECT_EQ(answerArguments({"--version"})->line, "vantor-screen-tools " VANTOR_VERSION "\n");
    // The arguments and, for a refusal, the argument it names.
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--version"}, {}},
        {{"--help"}, {}},
        {{"-h"}, "-h"},
        {{"--versions"}, "--versions"},
        {{"-platform", "wayland"}, "-platform"},
        {{"--help", "--version"}, "--version"},
        {{""}, "\"\""},
    };
    for (const auto& [arguments, named] : rows) {
        SCOPED_TRACE(arguments.front());
        const ArgumentsAnswer answer = answerArguments(arguments).value();
        const bool refused = !named.empty();
        EXPECT_EQ(answer.exitStatus, refused ? 2 : 0);
        EXPECT_EQ(answer.toStandardError, refused);
        EXPECT_EQ(answer.line.find('\n'), answer.line.size() - 1) << "one line";
        EXPECT_NE(answer.line.find(named), std::string::npos) << answer.line;
    }
}

TEST(QtPlatform, AWaylandSessionRunsThroughXWaylandUnlessTheUserChoseAPlatform) {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"wayland-0", "", true}, {"wayland-0", "wayland", false}, {"wayland-0", "xcb", false},
        {"", "", false},         {"", "offscreen", false},        {"", "xcb", false}};
    for (const auto& [waylandDisplay, qtPlatform, xwayland] : rows)
        EXPECT_EQ(runThroughXWayland(waylandDisplay, qtPlatform), xwayland)
            << waylandDisplay << " / " << qtPlatform;
}

TEST(DisplayIdentity, SpellingsOfOneDisplayMeetAndOthersDoNot) {
    for (const char* local : {":1", ":1.0", ":1.3", "unix:1", "unix:1.0"})
        EXPECT_EQ(displayIdentity(local), "_1") << local;
    EXPECT_EQ(displayIdentity(":12"), "_12");
    EXPECT_EQ(displayIdentity("otherhost:1.0"), "otherhost_1");
    EXPECT_EQ(displayIdentity("[::1]:1"), "___1__1") << "an IPv6 host stays a file name";
    for (const char* broken : {"", "1", ":", ":x", "host"})
        EXPECT_EQ(displayIdentity(broken), "") << broken;
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
