#include "platform/posix/xdgautostart.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace vantor;

TEST(AutostartEntry, LivesInTheXdgConfigFolderOrInDotConfigWhenThatIsNotUsable) {
    struct Row {
        QString xdgConfigHome, path;
    };
    const Row rows[] = {
        {"/home/ana/conf", "/home/ana/conf/autostart/vantor-screen-tools.desktop"},
        {"", "/home/ana/.config/autostart/vantor-screen-tools.desktop"},
        {"conf", "/home/ana/.config/autostart/vantor-screen-tools.desktop"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(autostartEntryPath(row.xdgConfigHome, QStringLiteral("/home/ana")), row.path)
            << row.xdgConfigHome.toStdString();
}

// A path the desktop's launcher reads back as the one argument it is.
TEST(AutostartEntry, StartsTheProgramByItsPathQuotedAsTheFormatWants) {
    const QString entry = QString::fromUtf8(autostartEntry(QStringLiteral("/usr/bin/vst")));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n") &&
                entry.contains("\nTryExec=/usr/bin/vst\n"))
        << entry.toStdString();
    struct Row {
        QString path, exec;
    };
    const Row rows[] = {
        {"/usr/bin/vst", "/usr/bin/vst"},    {"/opt/My Tools/vst", R"("/opt/My Tools/vst")"},
        {"/opt/100%/vst", "/opt/100%%/vst"}, {R"(/a$b/"c"/d\e)", R"("/a\\$b/\\"c\\"/d\\\\e")"},
        {"/opt/ünï/vst", "/opt/ünï/vst"},
    };
    for (const Row& row : rows) {
        const QStringList lines = QString::fromUtf8(autostartEntry(row.path)).split('\n');
        EXPECT_EQ(lines.filter(QRegularExpression("^Exec=")), QStringList{"Exec=" + row.exec});
    }
}
