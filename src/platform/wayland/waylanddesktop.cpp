#include "platform/devicepixels.h"
#include "platform/wayland/edgestrips.h"
#include "platform/wayland/kwinscreenshot.h"
#include "platform/wayland/kwinwatch.h"
#include "platform/wayland/portalrequest.h"
#include "platform/wayland/portalscreenshot.h"
#include "platform/wayland/portalshortcuts.h"
#include "platform/wayland/screencopy.h"
#include "platform/wayland/screenshotcrop.h"
#include "platform/wayland/sessionservices.h"
#include "platform/wayland/swaytree.h"
#include "platform/x11/x11desktop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QList>

namespace vantor {

namespace {

// A Wayland session, where the tools run through XWayland. XWayland places the tools and gives
// the pointer, the keys and other X11 programs' windows as on an X11 desktop; its screen copies
// show nothing of native windows, so they come from the desktop's own services or not at all.
class WaylandDesktop final : public Desktop {
public:
    WaylandDesktop(std::unique_ptr<Desktop> x11, SessionOffer offer,
                   std::unique_ptr<Screencopy> screencopy)
        : m_x11(std::move(x11)), m_offer(std::move(offer)), m_copies(chooseCopyService(m_offer)),
          m_screencopy(std::move(screencopy)) {}
    bool claimSingleInstance() override {
        if (!m_x11->claimSingleInstance())
            return false;
        // Only the copy that runs follows the pointer. Where KWin tells where it is, the top
        // edges need no strips, which would take the clicks of their row of pixels.
        if (!kwin())
            m_edges = std::make_unique<EdgeStrips>();
        return true;
    }

    QSet<VirtualKey> keysDown(const QList<VirtualKey>& keys) override {
        return m_x11->keysDown(keys);
    }
    QPoint cursorPos() override {
        const std::optional<QPoint> kwin = m_kwin ? m_kwin->pointer() : std::nullopt;
        return kwin ? toLogicalPixels(*kwin, screenScales()) : m_x11->cursorPos();
    }
    NativeWindow foregroundWindow() override {
        if (m_offer.swayIpc)
            if (const std::optional<QRect> front = focusedNativeWindow(swayTree())) {
                m_nativeFront = *front;
                return NativeFront;
            }
        const NativeWindow x11 = m_x11->foregroundWindow();
        // XWayland names no window in front while a native one is active on KDE.
        if (x11 == 0 && m_offer.kwinScreenShot)
            if (const std::optional<QRect> front = KWinScreenShot::activeWindowFrame()) {
                m_nativeFront = *front;
                return NativeFront;
            }
        return x11;
    }
    DesktopLook look(const QList<VirtualKey>& keys) override {
        DesktopLook seen = m_x11->look(keys);
        if (m_kwin)
            seen.cursor = cursorPos();
        return seen;
    }
    QRect windowFrame(NativeWindow window) override {
        if (window == NativeFront)
            return toLogicalPixels(m_nativeFront, screenScales());
        return m_x11->windowFrame(window);
    }
    // No Wayland desktop lets a program move another's window.
    void moveWindowTopLeft(NativeWindow window, QPoint topLeft) override {
        if (window != NativeFront)
            m_x11->moveWindowTopLeft(window, topLeft);
    }
    bool isPlacedByUser(NativeWindow window) override {
        return window != NativeFront && m_x11->isPlacedByUser(window);
    }
    void keepOffTaskbar(NativeWindow window) override { m_x11->keepOffTaskbar(window); }
    // A Wayland compositor always draws the screen.
    bool compositorRunning() override { return true; }
    // XWayland shows a window's whole surface whatever its X shape.
    bool shapeHidesWindows() override { return false; }

    QImage grabDevicePixels(const QRect& device) override {
        if (m_copies == CopyService::None) {
            m_refusal = CopyRefusal::NoService;
            return {};
        }
        if (m_copies == CopyService::Screencopy) {
            QImage part = m_screencopy->copy(device);
            m_refusal = part.isNull() ? CopyRefusal::Failed : CopyRefusal::None;
            return part;
        }
        if (m_copies == CopyService::KWin)
            return KWinScreenShot::captureArea(device, m_refusal);
        const QImage whole = m_portal.take(m_refusal);
        if (whole.isNull())
            return {};
        QList<QRect> areas;
        for (const ScreenScale& screen : screenScales())
            areas.append(deviceArea(screen));
        QRect root;
        for (const QRect& area : areas)
            root |= area;
        return cropScreenshot(whole, root, device);
    }
    QImage grabLiveDevicePixels(const QRect& device) override {
        // KWin copies a small area within a frame of its output, quick enough for the lens; it
        // copies again only when the square moved or a window drew since the last copy.
        if (!m_screencopy && m_offer.kwinScreenShot) {
            const bool drew = !kwin() || kwin()->takeDrawn();
            if (drew || device != m_liveArea || m_live.isNull()) {
                m_live = KWinScreenShot::captureArea(device, m_refusal);
                m_liveArea = device;
            }
            return m_live;
        }
        if (!m_screencopy) {
            m_refusal = CopyRefusal::NoLiveCopies;
            return {};
        }
        QImage part = m_screencopy->live(device);
        m_refusal = part.isNull() ? CopyRefusal::Failed : CopyRefusal::None;
        return part;
    }
    CopyRefusal copyRefusal() override { return m_refusal; }
    bool liveCopies() override { return m_screencopy != nullptr || m_offer.kwinScreenShot; }
    std::string sessionNote() override { return waylandSessionLine(m_offer); }
    bool takeGlobalShortcuts(const QList<GlobalShortcut>& shortcuts,
                             std::function<void(const QByteArray&)> run) override {
        if (!m_offer.globalShortcutsPortal)
            return false;
        m_shortcuts = std::make_unique<PortalShortcuts>(shortcuts, std::move(run));
        return true;
    }

private:
    // What KWin tells, once asked for: only the copy that runs asks.
    KWinWatch* kwin() {
        if (!m_kwin && m_offer.kwinScripts && !m_kwinAsked)
            m_kwin = KWinWatch::start();
        m_kwinAsked = true;
        return m_kwin.get();
    }

    // The native window in front, which has no X11 id: a number no X11 window takes.
    static constexpr NativeWindow NativeFront = NativeWindow(1) << 40;

    std::unique_ptr<Desktop> m_x11;
    SessionOffer m_offer;
    CopyService m_copies;
    std::unique_ptr<Screencopy> m_screencopy;
    PortalScreenshot m_portal;
    std::unique_ptr<PortalShortcuts> m_shortcuts;
    std::unique_ptr<EdgeStrips> m_edges;
    std::unique_ptr<KWinWatch> m_kwin;
    bool m_kwinAsked = false;
    // The lens's last copy on KDE Plasma, shown again while nothing under it changes.
    QImage m_live;
    QRect m_liveArea;
    CopyRefusal m_refusal = CopyRefusal::None;
    // Where that window was when it was last asked for, in the X screen's pixels.
    QRect m_nativeFront;
};

} // namespace

std::unique_ptr<Desktop> createNativeDesktop() {
    std::unique_ptr<Desktop> x11 = createX11Desktop();
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return x11;
    SessionOffer offer;
    offer.desktopName = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString();
    if (sessionBusNamed()) {
        offer.screenshotPortal = screenshotPortalOffered();
        offer.globalShortcutsPortal = globalShortcutsPortalOffered();
        offer.kwinScreenShot = KWinScreenShot::offered();
        offer.kwinScripts = QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.kde.KWin"));
    }
    offer.swayIpc = !swayTree().isEmpty();
    std::unique_ptr<Screencopy> screencopy = Screencopy::connect();
    offer.screencopy = screencopy != nullptr;
    offer.preferPortal = qEnvironmentVariable("VANTOR_SCREEN_COPIES") == QStringLiteral("portal");
    return std::make_unique<WaylandDesktop>(std::move(x11), std::move(offer),
                                            std::move(screencopy));
}

} // namespace vantor
