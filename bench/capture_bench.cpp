// Speed of the capture path on the X server named by DISPLAY: a whole-screen copy saved as a
// bitmap file, and a section panel's snap (whole-screen copy, crop, save). Run it inside
// scripts/desktop-session for a 1920 x 1080 screen; bench/compare-scrot.sh does that.

#include "capture/capture.h"
#include "core/texts.h"
#include "platform/desktop.h"
#include "platform/settings.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace vantor;

void saveOrStop(benchmark::State& state, const QImage& picture, const QString& prefix) {
    const QString written = SaveCaptureImage(picture, prefix);
    state.PauseTiming();
    if (written.isEmpty())
        state.SkipWithError("the capture file could not be written");
    QFile::remove(written); // a run of hundreds of 8 MB files would fill the disk
    state.ResumeTiming();
}

void BM_ScreenCopy(benchmark::State& state) {
    QImage picture;
    for (auto _ : state) {
        CaptureScreenArea(picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.SetLabel(
        QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()).toStdString());
}

void BM_FullScreenToBitmapFile(benchmark::State& state) {
    QImage picture;
    for (auto _ : state) {
        CaptureScreenArea(picture);
        saveOrStop(state, picture,
                   LoadText(124) +
                       QStringLiteral(".(%1x%2)").arg(picture.width()).arg(picture.height()));
    }
}

void BM_PanelSnap473x277(benchmark::State& state) {
    const QRect panel(700, 400, 473, 277);
    QImage screen;
    for (auto _ : state) {
        CaptureScreenArea(screen);
        const QImage section = screen.copy(panel);
        saveOrStop(state, section, LoadText(125) + QStringLiteral(".(473x277)"));
    }
}

BENCHMARK(BM_ScreenCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullScreenToBitmapFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PanelSnap473x277)->Unit(benchmark::kMillisecond)->UseRealTime();

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
