// The session scripts as a user meets them: scripts/desktop-session ended the way timeout ends
// it, with a second TERM during its clean-up.
#include "harness.h"

#include <csignal>
#include <filesystem>
#include <fstream>

namespace vantor::desk {
namespace {

namespace fs = std::filesystem;

const std::string Scripts = VANTOR_SCRIPTS_DIR;

// A folder of the test's own, emptied, for TMPDIR: what desktop-session leaves shows there.
std::string freshFolder(const std::string& name) {
    const fs::path dir = fs::path(artifactDir()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

int sessionFolders(const std::string& dir) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        count += entry.path().filename().string().starts_with("vantor-session.");
    return count;
}

// What follows the marker up to the end of its line, if the marker is there.
std::optional<std::string> after(const std::string& text, const std::string& marker) {
    const auto at = text.find(marker);
    if (at == std::string::npos)
        return std::nullopt;
    const auto start = at + marker.size();
    return text.substr(start, text.find('\n', start) - start);
}

// timeout sends TERM to its command and then to the command's whole process group; the second
// one comes while desktop-session is stopping its command. The command here holds it there
// until the second TERM has been sent.
TEST(DesktopSessionTest, SecondTermDuringTheCleanUpStillRemovesTheSession) {
    const std::string tmp = freshFolder("tmp");
    const std::string release = artifactDir() + "/release";
    fs::remove(release);
    const std::string command = "trap 'echo stopping; until [ -e " + release +
                                " ]; do sleep 0.05; done; exit 0' TERM; echo up; "
                                "while :; do sleep 0.1; done";
    Process session(
        {Scripts + "/desktop-session", "--no-tray", "--no-compositor", "sh", "-c", command},
        {"TMPDIR=" + tmp}, Process::Mode::TerminalJob);
    const auto said = [&](const char* word) {
        return after(session.stdoutText(), word).has_value();
    };
    ASSERT_TRUE(waitFor([&] { return said("up"); }, 60s)) << session.stderrText();
    session.signal(SIGTERM);
    ASSERT_TRUE(waitFor([&] { return said("stopping"); }));
    session.signalGroup(SIGTERM);
    std::ofstream released(release);
    released.close();
    EXPECT_EQ(session.waitForExit(30s), 143);
    EXPECT_EQ(sessionFolders(tmp), 0) << "a session folder was left in " << tmp;
    session.signalGroup(SIGKILL);
}

} // namespace
} // namespace vantor::desk
