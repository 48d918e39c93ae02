#include "platform/xwayland.h"
#include "shell/commandline.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vantor;

TEST(CommandLine, VersionAndHelpAnswerOnStandardOutputAndAnythingElseIsRefused) {
    EXPECT_FALSE(answerArguments({}).has_value());
    EXPECT_EQ(answerArguments({"--version"})->line, "vantor-screen-tools " VANTOR_VERSION "\n");
    struct Row {
        std::vector<std::string> arguments;
        bool refused;
        std::string named; // the argument a refusal names
    };
    const Row rows[] = {
        {{"--version"}, false, {}},
        {{"--help"}, false, {}},
        {{"-h"}, true, "-h"},
        {{"--versions"}, true, "--versions"},
        {{"-platform", "wayland"}, true, "-platform"},
        {{"--help", "--version"}, true, "--version"},
        {{""}, true, "\"\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.front());
        const ArgumentsAnswer answer = answerArguments(row.arguments).value();
        EXPECT_EQ(answer.exitStatus, row.refused ? 2 : 0);
        EXPECT_EQ(answer.toStandardError, row.refused);
        EXPECT_EQ(std::count(answer.line.begin(), answer.line.end(), '\n'), 1);
        EXPECT_TRUE(answer.line.ends_with('\n'));
        if (row.refused) {
            EXPECT_NE(answer.line.find(row.named), std::string::npos) << answer.line;
        }
    }
}

TEST(QtPlatform, AWaylandSessionRunsThroughXWaylandUnlessTheUserChoseAPlatform) {
    struct Row {
        const char* waylandDisplay;
        const char* qtPlatform;
        bool xwayland;
    };
    const Row rows[] = {
        {"wayland-0", "", true}, {"wayland-0", "wayland", false}, {"wayland-0", "xcb", false},
        {"", "", false},         {"", "offscreen", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(runThroughXWayland(row.waylandDisplay, row.qtPlatform), row.xwayland)
            << row.waylandDisplay << " / " << row.qtPlatform;
}
