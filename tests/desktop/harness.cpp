#include "harness.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vantor::desk {

bool waitFor(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
}

bool holdsFor(const std::function<bool()>& condition, Milliseconds duration) {
    return !waitFor([&] { return !condition(); }, duration);
}

std::string artifactDir() {
    const char* root = std::getenv("VANTOR_ARTIFACTS");
    std::filesystem::path dir = root != nullptr && *root != '\0'
                                    ? std::filesystem::path(root)
                                    : std::filesystem::current_path() / "desktop-artifacts";
    if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info())
        dir /= std::string(test->test_suite_name()) + "." + test->name();
    std::filesystem::create_directories(dir);
    return dir.string();
}

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string baseName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The current environment with the given changes: "NAME=value" sets, a bare "NAME" removes.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& changes) {
    std::map<std::string, std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        entries[text.substr(0, text.find('='))] = text;
    }
    for (const std::string& change : changes) {
        const auto equals = change.find('=');
        if (equals == std::string::npos)
            entries.erase(change);
        else
            entries[change.substr(0, equals)] = change;
    }
    std::vector<std::string> result;
    for (const auto& [name, entry] : entries)
        result.push_back(entry);
    return result;
}

std::vector<char*> cStrings(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 Mode mode)
    : m_mode(mode) {
    if (argv.empty())
        throw std::invalid_argument("Process needs a command");
    static std::atomic<int> counter = 0;
    const std::string stem =
        artifactDir() + "/" + baseName(argv.front()) + "-" + std::to_string(++counter);
    m_stdoutPath = stem + ".stdout";
    m_stderrPath = stem + ".stderr";

    // A socket rather than a pipe for a job's input, so that writing to it after the process
    // ended fails instead of raising SIGPIPE in the test.
    int input[2] = {-1, -1};
    if (mode == Mode::TerminalJob && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0)
        throw std::runtime_error(std::string("cannot make an input socket: ") +
                                 std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (mode == Mode::TerminalJob) {
        posix_spawn_file_actions_adddup2(&actions, input[0], 0);
        // Tests run as background commands of desktop-session, which ignore INT and QUIT;
        // a job started from a terminal has them at their defaults.
        sigset_t all, none;
        sigfillset(&all);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                                  POSIX_SPAWN_SETSIGMASK);
    } else {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 1, m_stdoutPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, m_stderrPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = mergedEnvironment(env);
    std::vector<char*> argPointers = cStrings(args);
    std::vector<char*> envPointers = cStrings(environment);
    const int error = posix_spawnp(&m_pid, argPointers.front(), &actions, &attributes,
                                   argPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (input[0] >= 0)
        ::close(input[0]);
    m_input = input[1];
    if (error != 0) {
        if (m_input >= 0)
            ::close(m_input);
        throw std::runtime_error("cannot start " + argv.front() + ": " + std::strerror(error));
    }
}

Process::~Process() {
    stop();
    if (m_input >= 0)
        ::close(m_input);
}

void Process::reap(int status) {
    m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool Process::running() {
    if (m_exit)
        return false;
    int status = 0;
    const pid_t result = waitpid(m_pid, &status, WNOHANG);
    if (result == m_pid)
        reap(status);
    else if (result < 0 && errno == ECHILD)
        m_exit = -1;
    return !m_exit;
}

std::optional<int> Process::waitForExit(Milliseconds timeout) {
    waitFor([this] { return !running(); }, timeout);
    return m_exit;
}

void Process::signal(int signalNumber) {
    if (running())
        ::kill(m_pid, signalNumber);
}

void Process::signalGroup(int signalNumber) {
    if (m_mode == Mode::TerminalJob)
        ::kill(-m_pid, signalNumber);
}

void Process::sendInput(const std::string& text) {
    if (m_input < 0 || ::send(m_input, text.data(), text.size(), MSG_NOSIGNAL) !=
                           static_cast<ssize_t>(text.size()))
        throw std::runtime_error("cannot write to the input of process " + std::to_string(m_pid));
}

void Process::stop(Milliseconds grace) {
    if (!running())
        return;
    ::kill(m_pid, SIGTERM);
    if (waitForExit(grace))
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    if (waitpid(m_pid, &status, 0) == m_pid)
        reap(status);
}

std::string Process::stdoutText() const {
    return readFile(m_stdoutPath);
}

std::string Process::stderrText() const {
    return readFile(m_stderrPath);
}

std::unique_ptr<Process> startProgram(const std::vector<std::string>& env) {
    const char* program = std::getenv("VANTOR_PROGRAM");
    if (program == nullptr || *program == '\0')
        throw std::runtime_error("VANTOR_PROGRAM does not name the program to test");
    return std::make_unique<Process>(std::vector<std::string>{program}, env);
}

std::vector<std::string> unexpectedStderrLines(const std::string& text,
                                               const std::vector<QRegularExpression>& allowed) {
    std::vector<std::string> unexpected;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.starts_with("vantor-screen-tools: "))
            continue;
        const QString qline = QString::fromStdString(line);
        bool isAllowed = false;
        for (const QRegularExpression& pattern : allowed)
            isAllowed = isAllowed || pattern.match(qline).hasMatch();
        if (!isAllowed)
            unexpected.push_back(line);
    }
    return unexpected;
}

TrayHost::TrayHost()
    : m_process({"sh", "-c", [] {
                     const char* command = std::getenv("VANTOR_TRAY_CMD");
                     if (command == nullptr || *command == '\0')
                         throw std::runtime_error("VANTOR_TRAY_CMD is not set; run the test "
                                                  "inside scripts/desktop-session");
                     return std::string("exec ") + command;
                 }()}) {
    if (!waitFor(trayHostRunning, 10s))
        throw std::runtime_error("the tray host did not take the tray selection");
}

TrayHost::~TrayHost() {
    m_process.stop();
    waitFor([] { return !trayHostRunning(); }, 5s);
}

std::string savePng(const QImage& image, const std::string& name) {
    const std::string path = artifactDir() + "/" + name + ".png";
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

namespace {
// What tesseract reads in the image scaled up, with extra arguments after the page mode. With
// binarize, every pixel becomes black or white first: light text on tinted buttons reads better.
QString tesseract(const QImage& image, int scale, const char* pageMode,
                  const std::vector<std::string>& extra = {}, bool binarize = false) {
    QImage large =
        image.convertToFormat(QImage::Format_Grayscale8)
            .scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (binarize)
        for (int y = 0; y < large.height(); ++y) {
            uchar* line = large.scanLine(y);
            for (int x = 0; x < large.width(); ++x)
                line[x] = line[x] > 153 ? 255 : 0;
        }
    static std::atomic<int> counter = 0;
    const std::string input = savePng(large, "ocr-" + std::to_string(++counter));
    std::vector<std::string> argv = {"tesseract", input,   "stdout", "-l",
                                     "eng+ita",   "--psm", pageMode};
    argv.insert(argv.end(), extra.begin(), extra.end());
    Process reader(argv);
    if (reader.waitForExit(30s) != 0)
        throw std::runtime_error("tesseract failed on " + input + ": " + reader.stderrText());
    return QString::fromStdString(reader.stdoutText());
}
} // namespace

QString ocr(const QImage& image, const QRect& region, int scale) {
    return tesseract(region.isNull() ? image : image.copy(region), scale, "6").trimmed();
}

QRect ocrFind(const QImage& image, const QString& word, int scale) {
    // One row a word: level, page, block, paragraph, line, word, left, top, width, height,
    // confidence, text.
    const QStringList rows = tesseract(image, scale, "11", {"tsv"}, true).split(QLatin1Char('\n'));
    for (const QString& row : rows) {
        const QStringList fields = row.split(QLatin1Char('\t'));
        if (fields.size() == 12 && fields[11].trimmed() == word)
            return QRect(fields[6].toInt() / scale, fields[7].toInt() / scale,
                         fields[8].toInt() / scale, fields[9].toInt() / scale);
    }
    return {};
}

Process& DesktopTest::launch(const std::vector<std::string>& env) {
    m_programs.push_back(startProgram(env));
    return *m_programs.back();
}

void DesktopTest::TearDown() {
    for (const std::unique_ptr<Process>& program : m_programs) {
        program->stop();
        for (const std::string& line : unexpectedStderrLines(program->stderrText(), m_allowed))
            ADD_FAILURE() << "unexpected output on stderr of process " << program->pid() << " ("
                          << program->stderrPath() << "): " << line;
    }
    m_programs.clear();
}

} // namespace vantor::desk
