// The program in a Wayland session, weston's headless output with XWayland: it runs through
// XWayland, says once what is limited there, and its tools show on XWayland's display.
#include "harness.h"

#include <algorithm>

namespace vantor::desk {
namespace {

// The session has no seat, so XWayland's pointer rests in the middle of the output and cannot be
// moved (XTest's motion crashes XWayland 22 without a seat; its clicks and keys do not). The output
// is 8 pixels high: that middle lies in the toolbar's hot rows at the top edge, the toolbar opens
// under the resting pointer, and a right-click on it opens the tray menu, weston having no tray.
TEST_F(DesktopTest, RunsThroughXWaylandWhereAddRuleShowsARuler) {
    std::vector<std::string> env = English;
    env.push_back("QT_QPA_PLATFORM");
    m_program = &launch(env);
    // The toolbar opens under the pointer.
    waitForWindow("frmToolbar", [](const QRect& bar) { return bar.top() == 0; });
    holdButton(Button::Right, true);
    holdButton(Button::Right, false);
    ASSERT_TRUE(waitFor([&] { return popupsOf(pid()).size() == 1; })) << "no menu";
    chooseItem(AddRule);
    waitForWindow("frmRule");

    const std::string said = m_program->stderrText();
    const auto lines = std::count(said.begin(), said.end(), '\n');
    EXPECT_TRUE(said.starts_with("vantor-screen-tools: a Wayland session")) << said;
    EXPECT_EQ(said.find("XWayland"), said.rfind("XWayland")) << said;
    EXPECT_EQ(lines, 2) << "the XWayland line and the wait for a tray: " << said;
}

} // namespace
} // namespace vantor::desk
