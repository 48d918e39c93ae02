// Speed of the ruler's drawing and dragging: the quick redraw while the far end of a 3000-pixel
// ruler is dragged (target 2 ms), its full redraw (8 ms), and one drag move among 20 guides
// (0.2 ms).
#include "core/formlist.h"
#include "guides/frmGridLine.h"
#include "guides/newgridline.h"
#include "platform/fake/fakedesktop.h"
#include "rulers/frmRule.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

using namespace vantor;

namespace {

FakeDesktop* fake = nullptr;

void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint screenPos) {
    fake->cursor = screenPos;
    const QPointF global(screenPos);
    QMouseEvent event(type, target.mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

void HandleDragQuickRedraw(benchmark::State& state) {
    frmRule rule;
    rule.move(0, 100);
    rule.setLenght(3000);
    int step = 0;
    for (auto _ : state) {
        // Alternate the length so every move really changes the ruler.
        const int end = 3000 + (step++ % 2);
        sendMouse(rule.resizeHandle(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
                  QPoint(end, 110));
    }
}
BENCHMARK(HandleDragQuickRedraw)->Unit(benchmark::kMillisecond);

void FullRedraw(benchmark::State& state) {
    frmRule rule;
    rule.setLenght(3000);
    for (auto _ : state)
        rule.resizeForm(false);
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond);

void DragMoveAmongTwentyGuides(benchmark::State& state) {
    // Google Benchmark calls this several times while it sizes the run; the guides are added at
    // the first call only, so that every call measures a drag among twenty.
    [[maybe_unused]] static const bool guidesAdded = [] {
        for (int i = 0; i < 10; ++i) {
            NewGridLine(Align::Vertical, 100 + i * 150);
            NewGridLine(Align::Horizontal, 50 + i * 90);
        }
        return true;
    }();
    state.counters["guides"] = double(FormList::formsOf<frmGridLine>().size());
    frmRule rule;
    rule.move(200, 200);
    sendMouse(rule, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(210, 210));
    int step = 0;
    for (auto _ : state) {
        const int offset = step++ % 400;
        sendMouse(rule, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
                  QPoint(210 + offset, 210 + offset));
    }
    sendMouse(rule, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(210, 210));
}
BENCHMARK(DragMoveAmongTwentyGuides)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fake = &installFakeDesktop();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
