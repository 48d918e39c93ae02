// What the program settles before it opens a window: its arguments and the platform it runs on.
#include "platform/xwayland.h"
#include "shell/commandline.h"
#include "shell/foregroundmonitor.h"

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
        {{"--run"}, "--run"},
        {{"--run", "zoom"}, "\"zoom\""},
        {{"--run", "lens", "now"}, "\"now\""},
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

TEST(CommandLine, RunHandsAKnownCommandOverAndSaysWhenNoCopyTookIt) {
    for (const std::string& name : commandNames()) {
        const ArgumentsAnswer answer = answerArguments({"--run", name}).value();
        EXPECT_EQ(answer.handOver, name);
        EXPECT_TRUE(answer.line.empty());
    }
    EXPECT_EQ(commandNames().size(), 9u);
    EXPECT_EQ(answerHandOver("lens", HandOver::Delivered).exitStatus, 0);
    EXPECT_TRUE(answerHandOver("lens", HandOver::Delivered).line.empty());
    for (HandOver failed : {HandOver::NoCopyRuns, HandOver::Failed}) {
        const ArgumentsAnswer answer = answerHandOver("lens", failed);
        EXPECT_EQ(answer.exitStatus, 1);
        EXPECT_TRUE(answer.toStandardError);
        EXPECT_EQ(answer.line.find('\n'), answer.line.size() - 1) << "one line";
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
