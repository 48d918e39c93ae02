// Speed of the capture path on the X server named by DISPLAY, or in a Wayland session through the
// desktop's services: a whole-screen copy, the lens's live copy of a small square, the toolbar's
// whole-screen capture saved as a bitmap file, the floor of that (one shared-memory copy and one
// write, bench/shmfloor.h), and a section panel's snap from the click to the file written (the
// panel's own area, the panel taken off the screen and the wait for the screen to drop it, the
// save). Run it inside scripts/desktop-session, with and without a compositor;
// bench/compare-scrot.sh does that.

#include "shmfloor.h"

#include "capture/capture.h"
#include "core/formlist.h"
#include "core/texts.h"
#include "panels/frmFrame.h"
#include "platform/desktop.h"
#include "platform/settings.h"
#include "toolbar/frmToolbar.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace vantor;

void BM_ScreenCopy(benchmark::State& state) {
    QImage picture;
    for (auto _ : state) {
        CaptureScreenArea(picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.SetLabel(
        QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()).toStdString());
}

// What the lens copies on each of its ticks: a 32 x 32 square, quick enough to follow the pointer.
// With 1 the pointer moves a pixel at every tick; with 0 it stands still over a still screen.
void BM_LiveCopy(benchmark::State& state) {
    const QRect square(QGuiApplication::primaryScreen()->geometry().center(), QSize(32, 32));
    const bool moving = state.range(0) != 0;
    QImage picture;
    int step = 0;
    for (auto _ : state) {
        picture = desktop().grabScreen(square.translated(moving ? ++step % 2 : 0, 0), true);
        if (picture.isNull()) {
            state.SkipWithError("no live copy");
            break;
        }
    }
    state.SetLabel(
        QStringLiteral("#%1")
            .arg(picture.isNull() ? 0 : picture.pixel(16, 16) & 0xffffff, 6, 16, QLatin1Char('0'))
            .toStdString());
}

// A section panel's area, copied as its snap copies it once the panel is off the screen.
void BM_PanelAreaCopy(benchmark::State& state) {
    const QRect area(QPoint(700, 400), QSize(473, 277));
    QImage picture;
    for (auto _ : state) {
        CaptureScreenRect(picture, area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        if (picture.isNull()) {
            state.SkipWithError("no copy");
            break;
        }
    }
}

void BM_ShmBmpFloor(benchmark::State& state) {
    ShmBmpFloor floor;
    if (!floor.ready()) {
        state.SkipWithError("no shared memory with the X server");
        return;
    }
    const std::string path = (QDir::tempPath() + QStringLiteral("/vantor-floor.bmp")).toStdString();
    for (auto _ : state) {
        if (!floor.save(path)) {
            state.SkipWithError("the floor's file could not be written");
            break;
        }
        // A new file each time, as the program writes one: rewriting a truncated file makes ext4
        // start writing it back at close, which the program never pays.
        state.PauseTiming();
        std::remove(path.c_str());
        state.ResumeTiming();
    }
}

// The images folder of the run.
QString imagesRoot;

// Removes the bitmaps written below the images folder; how many there were.
int removeWrittenFiles() {
    int removed = 0;
    QDirIterator it(imagesRoot, {QStringLiteral("*.bmp"), QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        removed += QFile::remove(it.next()) ? 1 : 0;
    return removed;
}

// What the toolbar's button and Ctrl+1 run, from the call to the file written: a BMP file
// (argument 0) or a PNG file (1).
void BM_CaptureEntireScreen(benchmark::State& state) {
    SetCaptureImageFormat(state.range(0) == 1 ? ImageFormat::Png : ImageFormat::Bmp);
    frmToolbar& toolbar = frmToolbar::instance();
    for (auto _ : state) {
        toolbar.CaptureEntireScreen();
        state.PauseTiming();
        // A run of hundreds of 8 MB files would fill the disk.
        if (removeWrittenFiles() != 1) {
            state.SkipWithError("the capture wrote no file");
            break;
        }
        state.ResumeTiming();
    }
}

void BM_PanelSnapClickToFile(benchmark::State& state) {
    // Another program's window under the panel, which paints itself again where the panel was.
    QWidget under;
    under.setStyleSheet(QStringLiteral("background: #3060c0"));
    under.setGeometry(600, 300, 700, 500);
    under.show();
    auto* panel = new frmFrame; // released by the form list
    panel->ShowFrame();
    // Placed, drawn, and blended in by the compositor before the first click; the window manager
    // places a new window where it likes, so the panel is moved once it is on the screen.
    const auto settle = [] {
        QElapsedTimer shown;
        shown.start();
        while (shown.elapsed() < 300)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    };
    settle();
    under.move(600, 300);
    panel->move(700, 400);
    settle();
    for (auto _ : state) {
        panel->Snap();
        state.PauseTiming();
        if (removeWrittenFiles() != 1) {
            state.SkipWithError("the snap wrote no file");
            break;
        }
        // The panel shows again, and the compositor draws it, before the next click.
        settle();
        state.ResumeTiming();
    }
    state.SetLabel(desktop().compositorRunning() ? "compositor" : "no compositor");
    FormList::unload(panel);
}

BENCHMARK(BM_ScreenCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LiveCopy)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PanelAreaCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CaptureEntireScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShmBmpFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PanelSnapClickToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("capture_bench: no X server (DISPLAY is unset); nothing measured");
        return 0;
    }
    // Keep the user's real images folder setting out of it.
    QTemporaryDir config;
    QTemporaryDir images;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    setDesktop(createNativeDesktop());
    WriteSetting(QStringLiteral("vantorScreenTools"), QStringLiteral("imageSavePath"),
                 images.path());
    imagesRoot = images.path();
    const auto report = [](const QString&, const QString& message) {
        std::fprintf(stderr, "capture_bench: %s\n", qPrintable(message));
    };
    setCaptureDialogs({[](const QString&) { return QString(); }, report, report});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
