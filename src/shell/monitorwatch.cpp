#include "shell/monitorwatch.h"

#include "core/formlist.h"
#include "core/monitorchange.h"
#include "core/screens.h"
#include "guides/frmGridLine.h"
#include "measure/measureoverlay.h"
#include "painter/frmScreenPainter.h"
#include "rulers/frmRule.h"
#include "section/frmCaptureSection.h"
#include "snap/guideline.h"
#include "toolbar/frmToolbar.h"

#include <QApplication>
#include <QScreen>

namespace vantor {

namespace {

// Brings every window of the program that no monitor shows onto the nearest one, lays guides,
// the painter and the section capture over the whole desktop and parks the toolbar on its
// monitor.
void keepWindowsInReach() {
    const QList<QRect> monitors = screenRects();
    // Hidden tool windows come along, so that Show all brings them back where they can be
    // reached; of the other windows (the about box, dialogs) only those showing.
    QList<QWidget*> windows = FormList::forms();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !windows.contains(window))
            windows.append(window);
    for (QWidget* window : std::as_const(windows)) {
        if (auto* toolbar = qobject_cast<frmToolbar*>(window)) {
            toolbar->monitorsChanged();
        } else if (auto* guide = qobject_cast<frmGridLine*>(window)) {
            if (!guide->isLaidOut())
                continue;
            // The red line lies one pixel before the guide's line coordinate.
            const int line = guideLineFor(guide->Align(), guide->geometry()).coordinate - 1;
            guide->placeStrip(
                guideStripAfterChange(guide->Align(), guide->geometry(), line, monitors));
        } else if (auto* overlay = qobject_cast<MeasureOverlay*>(window)) {
            // Its frozen copy shows a desktop that is no more; measuring it would mislead.
            FormList::unload(overlay);
        } else if (auto* painter = qobject_cast<frmScreenPainter*>(window)) {
            painter->coverDesktop();
        } else if (auto* section = qobject_cast<frmCaptureSection*>(window)) {
            section->coverDesktop();
        } else if (auto* rule = qobject_cast<frmRule*>(window)) {
            const QRect placed(rule->placedPos(), rule->size());
            if (const QPoint move = moveIntoReach(placed, monitors); !move.isNull())
                rule->place(placed.topLeft() + move);
        } else if (const QPoint move = moveIntoReach(window->frameGeometry(), monitors);
                   !move.isNull()) {
            window->move(window->pos() + move);
        }
    }
}

} // namespace

MonitorWatch::MonitorWatch(QObject* parent) : QObject(parent) {
    m_settled.setSingleShot(true);
    m_settled.setInterval(0);
    connect(&m_settled, &QTimer::timeout, this, &keepWindowsInReach);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        m_settled.start();
    });
    connect(qApp, &QGuiApplication::screenRemoved, &m_settled, qOverload<>(&QTimer::start));
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
}

void MonitorWatch::watch(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, &m_settled, qOverload<>(&QTimer::start));
}

} // namespace vantor
