// What the program takes from a Wayland session's desktop, and how a desktop's screenshot
// becomes a copy of part of the X screen.
#include "platform/wayland/screenshotcrop.h"
#include "platform/wayland/sessionservices.h"
#include "platform/wayland/swaytree.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vantor;

TEST(WaylandSession, CopiesFromScreencopyThenThePortalAndTheLineSaysWhatEachFunctionHas) {
    SessionOffer sway;
    sway.desktopName = "sway";
    sway.screenshotPortal = sway.screencopy = sway.swayIpc = true;
    SessionOffer portalChosen = sway;
    portalChosen.preferPortal = true;
    SessionOffer noPortal;
    noPortal.screencopy = noPortal.preferPortal = true;
    SessionOffer kde;
    kde.desktopName = "KDE";
    kde.screenshotPortal = kde.globalShortcutsPortal = true;
    SessionOffer kwin = kde;
    kwin.kwinScreenShot = kwin.kwinScripts = true;
    const std::tuple<SessionOffer, CopyService, std::vector<const char*>> rows[] = {
        {sway,
         CopyService::Screencopy,
         {"(sway), so the tools run through XWayland: screen copies from the compositor's "
          "screencopy;",
          "the lens from the compositor's screencopy", "key combinations only in X11",
          "the window in front from sway", "the pointer followed over X11 windows only"}},
        {portalChosen,
         CopyService::ScreenshotPortal,
         {"screen copies from the desktop's Screenshot portal;"}},
        {noPortal, CopyService::Screencopy, {}},
        {kde,
         CopyService::ScreenshotPortal,
         {"no lens", "key combinations from the desktop's GlobalShortcuts portal",
          "the window in front and snapping to guides for X11 windows only"}},
        {kwin,
         CopyService::KWin,
         {"screen copies from KWin's screenshots;", "the lens from KWin's screenshots",
          "the window in front from KWin", "the pointer from KWin"}},
        {SessionOffer(), CopyService::None, {"install xdg-desktop-portal"}},
    };
    for (const auto& [offer, copies, said] : rows) {
        EXPECT_EQ(chooseCopyService(offer), copies);
        const std::string line = waylandSessionLine(offer);
        for (const char* part : said)
            EXPECT_NE(line.find(part), std::string::npos) << part << " in " << line;
        EXPECT_NE(line.find("--run COMMAND"), std::string::npos) << line;
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line";
    }
}

TEST(ScreenshotCrop, APartOfTheScreenAtItsOwnScaleWithBlackBeyondTheScreenshot) {
    const QRect root(0, 0, 40, 20);
    // Left half red, right half blue, one white pixel at (25, 5).
    const auto screenshot = [](int scale) {
        QImage whole(40 * scale, 20 * scale, QImage::Format_RGB32);
        whole.fill(0x0000ff);
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width() / 2; ++x)
                whole.setPixel(x, y, 0xffff0000);
        for (int y = 5 * scale; y < 6 * scale; ++y)
            for (int x = 25 * scale; x < 26 * scale; ++x)
                whole.setPixel(x, y, 0xffffffff);
        return whole;
    };
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const QImage part = cropScreenshot(screenshot(scale), root, QRect(15, 2, 30, 10));
        ASSERT_EQ(part.size(), QSize(30, 10));
        EXPECT_EQ(part.pixel(4, 0), 0xffff0000u);
        EXPECT_EQ(part.pixel(5, 0), 0xff0000ffu);
        EXPECT_EQ(part.pixel(10, 3), 0xffffffffu);
        EXPECT_EQ(part.pixel(24, 9), 0xff0000ffu);
        EXPECT_EQ(part.pixel(25, 0), 0xff000000u) << "beyond the screen";
    }
    EXPECT_TRUE(cropScreenshot(QImage(), root, root).isNull());
}

TEST(SwayTree, TheFocusedNativeWindowsRectangleAndNothingForAnX11OneOrNoFocus) {
    const auto tree = [](const char* shell, bool focused) {
        return QByteArray(R"({"nodes":[{"nodes":[{"focused":false,"shell":"xdg_shell",
            "rect":{"x":0,"y":0,"width":10,"height":10}}],"floating_nodes":[{"focused":)") +
               (focused ? "true" : "false") + R"(,"shell":")" + shell +
               R"(","rect":{"x":100,"y":50,"width":800,"height":600}}]}]})";
    };
    EXPECT_EQ(focusedNativeWindow(tree("xdg_shell", true)), QRect(100, 50, 800, 600));
    EXPECT_EQ(focusedNativeWindow(tree("xwayland", true)), std::nullopt);
    EXPECT_EQ(focusedNativeWindow(tree("xdg_shell", false)), std::nullopt);
    EXPECT_EQ(focusedNativeWindow("not json"), std::nullopt);
}
