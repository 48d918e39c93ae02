// The program in a Wayland session without the desktop's services, weston's headless output with
// XWayland and no portal: it runs through XWayland, says once what is limited there, its tools
// show on XWayland's display, and a capture writes nothing and says why.
#include "harness.h"

#include <algorithm>

namespace vantor::desk {
namespace {

// The session has no seat, so XWayland's pointer rests in the middle of the output and cannot be
// moved (XTest's motion crashes XWayland 22 without a seat; its clicks and keys do not). The output
// is 8 pixels high: that middle lies in the toolbar's hot rows at the top edge, the toolbar opens
// under the resting pointer, and a right-click on it opens the tray menu, weston having no tray.
TEST_F(DesktopTest, RunsThroughXWaylandWhereAddRuleShowsARulerAndACaptureIsRefused) {
    const std::string program = std::getenv("VANTOR_PROGRAM");
    Process early({program, "--run", "capture-screen"});
    EXPECT_EQ(early.waitForExit(), 1) << "no copy runs yet";
    std::vector<std::string> env = English;
    env.push_back("QT_QPA_PLATFORM");
    useImagesFolder();
    m_program = &launch(env);
    // The toolbar opens under the pointer.
    waitForWindow("frmToolbar", [](const QRect& bar) { return bar.top() == 0; });
    holdButton(Button::Right, true);
    holdButton(Button::Right, false);
    ASSERT_TRUE(waitFor([&] { return popupsOf(pid()).size() == 1; })) << "no menu";
    chooseItem(AddRule);
    waitForWindow("frmRule");

    Process capture({program, "--run", "capture-screen"});
    EXPECT_EQ(capture.waitForExit(), 0);
    const std::string refused = "This desktop gives the program no copy of the screen";
    EXPECT_TRUE(
        waitFor([&] { return m_program->stderrText().find(refused) != std::string::npos; }));
    waitForWindow("Save image");
    EXPECT_TRUE(savedFiles(true).isEmpty());

    const std::string said = m_program->stderrText();
    const auto lines = std::count(said.begin(), said.end(), '\n');
    EXPECT_TRUE(said.starts_with("vantor-screen-tools: a Wayland session")) << said;
    EXPECT_NE(said.find("no screen copies (no Screenshot portal answers"), std::string::npos);
    EXPECT_EQ(lines, 3) << "the session's line, the wait for a tray, the refusal: " << said;
}

} // namespace
} // namespace vantor::desk
