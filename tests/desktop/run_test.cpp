// scripts/run-private as a user on a machine without a desktop meets it: the program in a private
// X session of its own, watched through VNC, a screenshot on Enter, and an end by Ctrl+C or TERM
// that leaves no error line, no process and no session folder behind. And scripts/desktop-session
// ended the way timeout ends it, with a second TERM during its clean-up, and by TERM to its whole
// process group.
#include "harness.h"

#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vantor::desk {
namespace {

namespace fs = std::filesystem;

const std::string Scripts = VANTOR_SCRIPTS_DIR;

// Session folders that desktop-session left in dir, the TMPDIR it was given.
int sessionFolders(const std::string& dir) {
    return static_cast<int>(std::count_if(fs::directory_iterator(dir), {}, [](const auto& entry) {
        return entry.path().filename().string().starts_with("vantor-session.");
    }));
}

// What follows the marker up to the end of its line, if the marker is there.
std::optional<std::string> after(const std::string& text, const std::string& marker) {
    const auto at = text.find(marker);
    if (at == std::string::npos)
        return std::nullopt;
    const auto start = at + marker.size();
    return text.substr(start, text.find('\n', start) - start);
}

// The first bytes a server on 127.0.0.1 sends; empty when nothing answers.
std::string greetingAt(int port) {
    Process reader(
        {"bash", "-c", "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(port) + " && head -c 4 <&3"});
    reader.waitForExit(10s);
    return reader.stdoutText();
}

// Local addresses of the listening TCP sockets on the port, one a line, as /proc/net/tcp and
// tcp6 spell them in hex ("0100007F" is 127.0.0.1).
std::string listeningAddresses(int port) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", port);
    Process awk({"awk",
                 "$4 == \"0A\" && $2 ~ /:" + std::string(hex) + "$/ { print substr($2, 1, 8) }",
                 "/proc/net/tcp", "/proc/net/tcp6"});
    awk.waitForExit();
    return awk.stdoutText();
}

bool processGone(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

class RunPrivateTest : public ::testing::Test {
protected:
    // Starts the script on the built program as a terminal would, without DISPLAY, and waits
    // for its "up" line.
    void SetUp() override {
        const char* program = std::getenv("VANTOR_PROGRAM");
        ASSERT_NE(program, nullptr);
        m_script =
            std::make_unique<Process>(std::vector<std::string>{Scripts + "/run-private", program},
                                      std::vector<std::string>{"DISPLAY", "TMPDIR=" + m_tmp,
                                                               "VANTOR_SCREENSHOT_DIR=" + m_shots,
                                                               "VANTOR_SCREEN=1280x800x24"},
                                      Process::Mode::TerminalJob);
        ASSERT_TRUE(waitFor([&] { return up() || !m_script->running(); }, 60s));
        ASSERT_TRUE(up()) << m_script->stdoutText() << m_script->stderrText();
        m_programPid = std::stoi(after(m_script->stdoutText(), "(process ").value());
    }

    void TearDown() override {
        // Whatever a failed script left running goes with it.
        if (m_programPid != 0 && !processGone(m_programPid))
            kill(m_programPid, SIGKILL);
        if (m_script)
            m_script->signalGroup(SIGKILL);
    }

    bool up() { return after(m_script->stdoutText(), "the program is up").has_value(); }

    // The script ended with the status, said nothing alarming, and left nothing behind.
    void expectCleanEnd(int status) {
        EXPECT_EQ(m_script->waitForExit(60s), status);
        std::istringstream lines(m_script->stdoutText() + m_script->stderrText());
        for (std::string line; std::getline(lines, line);)
            for (const char* word : {"error", "broke", "Killed"})
                EXPECT_EQ(line.find(word), std::string::npos) << line;
        EXPECT_TRUE(waitFor([&] { return processGone(m_programPid); }))
            << "the program (process " << m_programPid << ") still runs";
        EXPECT_EQ(sessionFolders(m_tmp), 0) << "a session folder was left in " << m_tmp;
    }

    std::unique_ptr<Process> m_script;
    const QTemporaryDir m_dir;
    const std::string m_tmp = m_dir.path().toStdString();
    const std::string m_shots = artifactDir() + "/screenshots";
    pid_t m_programPid = 0;
};

TEST_F(RunPrivateTest, ServesVncOnLoopbackWritesScreenshotsAndEndsOnCtrlC) {
    const int port = std::stoi(after(m_script->stdoutText(), "vncviewer 127.0.0.1::").value());
    EXPECT_EQ(greetingAt(port), "RFB ");
    EXPECT_EQ(listeningAddresses(port), "0100007F\n");

    m_script->sendInput("\n");
    ASSERT_TRUE(waitFor([&] { return after(m_script->stdoutText(), "run: wrote ").has_value(); }));
    const std::string shot = after(m_script->stdoutText(), "run: wrote ").value();
    EXPECT_TRUE(shot.starts_with(m_shots)) << shot;
    EXPECT_EQ(QImage(QString::fromStdString(shot)).size(), QSize(1280, 800)) << shot;

    m_script->signalGroup(SIGINT);
    expectCleanEnd(0);
}

TEST_F(RunPrivateTest, EndsOnTermToTheScriptAlone) {
    m_script->signal(SIGTERM);
    expectCleanEnd(0);
}

// timeout sends TERM to its command and then to the command's whole process group; the second
// one comes while desktop-session is stopping its command. The command here holds it there
// until the second TERM has been sent.
TEST(DesktopSessionTest, SecondTermDuringTheCleanUpStillRemovesTheSession) {
    const QTemporaryDir dir;
    const std::string tmp = dir.path().toStdString();
    const std::string release = tmp + "/release";
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
    std::ofstream{release}; // made, and closed at once
    EXPECT_EQ(session.waitForExit(30s), 143);
    EXPECT_EQ(sessionFolders(tmp), 0) << "a session folder was left in " << tmp;
    session.signalGroup(SIGKILL);
}

// A terminal's job control or a CI runner sends TERM to the whole process group, which ends the
// command together with the script while the script waits for it; the script must still stop
// the services it started, and end.
TEST(DesktopSessionTest, TermToTheWholeGroupStopsTheServicesAndEnds) {
    const QTemporaryDir dir;
    const std::string tmp = dir.path().toStdString();
    Process session(
        {Scripts + "/desktop-session", "--no-tray", "sh", "-c", "echo up; exec sleep 600"},
        {"TMPDIR=" + tmp}, Process::Mode::TerminalJob);
    const auto waiting = [&] {
        std::ifstream wchan("/proc/" + std::to_string(session.pid()) + "/wchan");
        return std::string{std::istreambuf_iterator<char>(wchan), {}} == "do_wait";
    };
    ASSERT_TRUE(waitFor([&] { return after(session.stdoutText(), "up") && waiting(); }, 60s))
        << session.stderrText();
    session.signalGroup(SIGTERM);
    EXPECT_EQ(session.waitForExit(30s), 143);
    // The folder goes only once every service the script started has ended.
    EXPECT_EQ(sessionFolders(tmp), 0) << "a session folder was left in " << tmp;
    session.signalGroup(SIGKILL);
}

} // namespace
} // namespace vantor::desk
