#include "harness.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vantor::desk {

bool waitFor(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
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

// Fails the running test through an exception: a helper's step that did not happen.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

} // namespace

Process::Process(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                 Mode mode)
    : m_mode(mode) {
    static std::atomic<int> counter = 0;
    m_stem = artifactDir() + "/" + std::filesystem::path(argv.at(0)).filename().string() + "-" +
             std::to_string(++counter);
    std::vector<std::string> args = argv;
    std::vector<char*> pointers;
    for (std::string& text : args)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);

    // A socket rather than a pipe for a job's input, so that writing to it after the process
    // ended fails instead of raising SIGPIPE in the test.
    int input[2] = {-1, -1};
    if (mode == Mode::TerminalJob)
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input);
    else
        input[0] = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int out = ::open((m_stem + ".stdout").c_str(), flags, 0644);
    const int err = ::open((m_stem + ".stderr").c_str(), flags, 0644);
    if (input[0] < 0 || out < 0 || err < 0)
        fail("cannot set up the files of " + argv.front() + ": " + std::strerror(errno));
    m_pid = fork();
    if (m_pid == 0) {
        // Tests run as background commands of desktop-session, which ignore INT and QUIT; a job
        // started from a terminal has every signal at its default and leads its own group.
        if (mode == Mode::TerminalJob) {
            setpgid(0, 0);
            for (int number = 1; number < NSIG; ++number)
                ::signal(number, SIG_DFL);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
        }
        // The test runs no other thread, so the copy of it here may change its environment.
        for (const std::string& change : env)
            if (const auto equals = change.find('='); equals == std::string::npos)
                unsetenv(change.c_str());
            else
                setenv(change.substr(0, equals).c_str(), change.c_str() + equals + 1, 1);
        dup2(input[0], 0);
        dup2(out, 1);
        dup2(err, 2);
        execvp(pointers[0], pointers.data());
        _exit(127); // as a shell says that there is no such command
    }
    for (const int fd : {input[0], out, err})
        ::close(fd);
    m_input = input[1];
    if (m_pid < 0)
        fail("cannot start " + argv.front() + ": " + std::strerror(errno));
}

Process::~Process() {
    stop();
    if (m_input >= 0)
        ::close(m_input);
}

bool Process::running() {
    int status = 0;
    const pid_t result = m_exit ? 0 : waitpid(m_pid, &status, WNOHANG);
    if (result == m_pid)
        m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    else if (result < 0)
        m_exit = -1; // not a child of this process (any more): nothing to wait for
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
        fail("cannot write to the input of process " + std::to_string(m_pid));
}

void Process::stop(Milliseconds grace) {
    signal(SIGTERM);
    if (waitForExit(grace))
        return;
    signal(SIGKILL);
    waitForExit(grace);
}

std::string Process::readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::unique_ptr<Process> startProgram(const std::vector<std::string>& env) {
    const char* program = std::getenv("VANTOR_PROGRAM");
    if (program == nullptr || *program == '\0')
        fail("VANTOR_PROGRAM does not name the program to test");
    return std::make_unique<Process>(std::vector<std::string>{program}, env);
}

std::unique_ptr<Process> startTrayHost() {
    const char* command = std::getenv("VANTOR_TRAY_CMD");
    if (command == nullptr || *command == '\0')
        fail("VANTOR_TRAY_CMD is not set; run the test inside scripts/desktop-session");
    // One stopped just before may hold the tray for a moment still.
    if (!waitFor([] { return !trayHostRunning(); }))
        fail("another tray host holds the tray");
    auto tray = std::make_unique<Process>(
        std::vector<std::string>{"sh", "-c", std::string("exec ") + command});
    if (!waitFor(trayHostRunning))
        fail("the tray host did not take the tray selection");
    return tray;
}

std::string savePng(const QImage& image, const std::string& name) {
    const std::string path = artifactDir() + "/" + name + ".png";
    image.save(QString::fromStdString(path), "PNG");
    return path;
}

namespace {
// What tesseract reads in the image scaled up: lines of text, or with words a table of the
// words and where they lie. For words, every pixel becomes black or white first: light text on
// tinted buttons reads better.
QString tesseract(const QImage& image, int scale, bool words) {
    QImage large =
        image.convertToFormat(QImage::Format_Grayscale8)
            .scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; words && y < large.height(); ++y) {
        uchar* line = large.scanLine(y);
        for (int x = 0; x < large.width(); ++x)
            line[x] = line[x] > 153 ? 255 : 0;
    }
    static std::atomic<int> counter = 0;
    const std::string input = savePng(large, "ocr-" + std::to_string(++counter));
    Process reader({"tesseract", input, "stdout", "-l", "eng+ita", "--psm", words ? "11" : "6",
                    words ? "tsv" : "txt"});
    if (reader.waitForExit(30s) != 0)
        fail("tesseract failed on " + input + ": " + reader.stderrText());
    return QString::fromStdString(reader.stdoutText());
}
} // namespace

QString ocr(const QImage& image, int scale) {
    return tesseract(image, scale, false).trimmed();
}

QRect ocrFind(const QImage& image, const QString& word, int scale) {
    // One row a word: level, page, block, paragraph, line, word, left, top, width, height,
    // confidence, text.
    const QStringList rows = tesseract(image, scale, true).split(QLatin1Char('\n'));
    for (const QString& row : rows) {
        const QStringList fields = row.split(QLatin1Char('\t'));
        if (fields.size() == 12 && fields[11].trimmed() == word)
            return QRect(fields[6].toInt() / scale, fields[7].toInt() / scale,
                         fields[8].toInt() / scale, fields[9].toInt() / scale);
    }
    return {};
}

QString clipboardText() {
    Process reader({"xclip", "-o", "-selection", "clipboard"});
    reader.waitForExit();
    return QString::fromStdString(reader.stdoutText());
}

void setImagesFolder(const QString& folder) {
    QFile ini(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvane/vantorScreenTools.ini");
    if (folder.isEmpty()) {
        ini.remove();
        return;
    }
    QDir().mkpath(QFileInfo(ini).path());
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("cannot write " + ini.fileName().toStdString());
    ini.write("[General]\nimageSavePath=" + QFile::encodeName(folder) + "\n");
}

QStringList bitmapsBelow(const QString& folder, bool all) {
    QStringList files;
    QDirIterator it(
        folder, all ? QStringList() : QStringList{QStringLiteral("*.bmp"), QStringLiteral("*.png")},
        QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

Process& DesktopTest::launch(const std::vector<std::string>& env) {
    m_programs.push_back(startProgram(env));
    return *m_programs.back();
}

Process& DesktopTest::launchDocked(const std::vector<std::string>& env) {
    m_program = &launch(env);
    if (waitForDockedIcon(pid()).isEmpty())
        fail("the icon of process " + std::to_string(pid()) + " did not dock");
    return *m_program;
}

QRect DesktopTest::openMenuAt(QPoint at) {
    click(at, Button::Right);
    if (!waitFor([&] { return popupsOf(pid()).size() == 1; }))
        fail("no menu on a right-click at " + std::to_string(at.x()) + "," +
             std::to_string(at.y()));
    return popupsOf(pid()).front().rect;
}

void DesktopTest::chooseItem(int item) {
    for (int i = 0; i < item; ++i)
        key("Down");
    key("Return");
    if (!menusGone())
        fail("the menu stayed open");
}

WindowInfo DesktopTest::addFromTray(int item, const std::string& role) {
    const std::vector<WindowInfo> before = windowsOf(pid(), role);
    chooseTrayItem(item);
    std::optional<WindowInfo> added;
    waitFor([&] {
        for (const WindowInfo& w : windowsOf(pid(), role))
            if (std::none_of(before.begin(), before.end(),
                             [&](const WindowInfo& old) { return old.id == w.id; }))
                added = w;
        return added.has_value();
    });
    if (!added)
        fail("tray item " + std::to_string(item) + " opened no new " + role);
    return *added;
}

WindowInfo DesktopTest::waitForWindow(const std::string& name,
                                      const std::function<bool(const QRect&)>& where) {
    std::vector<WindowInfo> found;
    if (waitFor([&] {
            found = windowsOf(pid(), name);
            return found.size() == 1 && (!where || where(found.front().rect));
        }))
        return found.front();
    std::ostringstream shown;
    for (const WindowInfo& window : found)
        shown << " (" << window.rect << ")";
    fail("no single " + name + " where it belongs; shown:" + shown.str());
}

WindowInfo DesktopTest::openSectionCapture(int x) {
    // The middle of the toolbar's Command1 button.
    constexpr QPoint Command1(206 + 36, 34 + 9);
    moveMouse(QPoint(x, 0));
    click(waitForWindow("frmToolbar", [](const QRect& bar) { return bar.top() == 0; })
              .rect.topLeft() +
          Command1);
    return waitForWindow("frmCaptureSection");
}

void DesktopTest::dragWindow(XWindow window, QPoint grab, QPoint wanted, bool waitThere) {
    const QPoint start = windowRect(window).topLeft();
    drag(start + grab, wanted + grab, 12);
    if (waitThere && !waitFor([&] { return windowRect(window).topLeft() == wanted; }))
        fail("the window did not follow a drag");
}

WindowInfo DesktopTest::addAt(int item, const std::string& role, QPoint grab, QPoint topLeft) {
    WindowInfo added = addFromTray(item, role);
    dragWindow(added.id, grab, topLeft);
    added.rect = windowRect(added.id);
    return added;
}

WindowInfo DesktopTest::launchWithPanelOverPattern() {
    const std::vector<PatternWindow::Fill> fills = {{{20, 20, 200, 100}, 0xff0000},
                                                    {{300, 150, 50, 200}, 0x00ff00},
                                                    {{0, 300, 640, 3}, 0xffffff},
                                                    {{41, 31, 1, 1}, 0xff00ff}};
    m_pattern = std::make_unique<PatternWindow>(QRect(300, 200, 640, 480), 0x0000ff, fills);
    m_underPanel = m_pattern->expected().copy(QRect(QPoint(41, 31), PanelSize));
    const QPoint magenta = m_pattern->shown().topLeft() + QPoint(41, 31);
    launchDocked();
    return addPanelAt(magenta);
}

QImage DesktopTest::snap(const WindowInfo& panel, int count) {
    click(windowRect(panel.id).topLeft() + SnapButton);
    return savedCapture(count);
}

QImage DesktopTest::savedCapture(int count) {
    if (!waitFor([&] { return savedFiles().size() >= count; }))
        fail("capture " + std::to_string(count) + " saved no file");
    QImage saved;
    // The file may still be being written when it is first seen.
    waitFor([&] { return saved.load(savedFiles().at(count - 1)); });
    savePng(saved, "capture-" + std::to_string(count));
    return saved.convertToFormat(QImage::Format_RGB32);
}

void DesktopTest::TearDown() {
    releaseHeld();
    for (const std::unique_ptr<Process>& program : m_programs) {
        program->stop();
        std::istringstream lines(program->stderrText());
        // Wine says so when Explorer, or a file dialog, looks at the drive of the Unix root:
        // Wine's word about the test machine, not the program's.
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && !line.starts_with("vantor-screen-tools: ") &&
                !line.starts_with("wine: Read access denied for device"))
                ADD_FAILURE() << "unexpected output on stderr of process " << program->pid() << ": "
                              << line;
    }
    m_programs.clear();
}

} // namespace vantor::desk
