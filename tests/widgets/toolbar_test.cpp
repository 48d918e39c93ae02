#include "widgettest.h"

#include "core/texts.h"
#include "panels/newsectionpanel.h"
#include "shell/frmMain.h"
#include "toolbar/frmToolbar.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

using namespace vantor;
using namespace vantor::test;

namespace {

constexpr NativeWindow Editor = 0x4200001;

class Toolbar : public ::testing::Test, public CaptureSetup {
protected:
    Toolbar() { storeImagesFolder(); }

    frmToolbar& toolbar = frmToolbar::instance();

    void clickButton(int index) { clickOn(toolbar.imageButton(index)); }
    QStringList names() const {
        QStringList result;
        for (const QString& file : savedFiles())
            result.append(QFileInfo(file).fileName().section(QLatin1Char('.'), 0, -3));
        return result;
    }
};

TEST_F(Toolbar, IsParkedAboveTheScreenCentredInAFrame) {
    EXPECT_EQ(toolbar.geometry(), QRect((1920 - 346) / 2, -58, 346, 57));
    const QImage face = rendered(toolbar);
    EXPECT_NE(face.pixel(0, 0), qRgb(255, 255, 255)) << "a frame on the edge";
    EXPECT_EQ(face.pixel(3, 30), qRgb(255, 255, 255));
}

// The window captured is the one in front when the toolbar began to open.
TEST_F(Toolbar, ButtonsCaptureTheScreenTheWindowInFrontAndEveryPanelAndSayNothingWhenThereIsNone) {
    clickButton(2); // the toolbar has never opened
    clickButton(0); // no panel
    fakeDesktop().foreground = Editor;
    toolbar.OpenToolbar();
    clickButton(2); // the window has gone
    EXPECT_TRUE(savedFiles().isEmpty());
    fakeDesktop().windows[Editor] = QRect(100, 50, 300, 200);
    toolbar.OpenToolbar();
    fakeDesktop().foreground = 0;
    clickButton(1);
    clickButton(2);
    NewSectionPanel();
    NewSectionPanel();
    clickButton(0);
    EXPECT_EQ(names(),
              QStringList({"01) capture.screen.(1920x1080)", "02) capture.window",
                           "03) capture.section.(473x277)", "04) capture.section.(473x277)"}));
    EXPECT_EQ(QImage(savedFiles()[1]).size(), QSize(300, 200));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Toolbar, ThePrintButtonSaysSoInItalianWithOnlyAnOk) {
    QStringList seen;
    whenModal([&seen](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_TRUE(box && box->buttons().size() == 1);
        seen << box->windowTitle() << box->text();
    });
    clickButton(5);
    EXPECT_EQ(seen,
              QStringList({LoadText(101), "La procedura di stampa è in fase di implementazione."}));
}

TEST_F(Toolbar, ARightPressAnywhereOnItAsksForTheTrayMenu) {
    QSignalSpy asked(&toolbar, &frmToolbar::contextMenuRequested);
    press(toolbar, toolbar.geometry().center(), Qt::RightButton);
    press(toolbar.imageButton(3), toolbar.imageButton(3).mapToGlobal(QPoint(5, 5)),
          Qt::RightButton);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(savedFiles().isEmpty());
}

// The monitor's 100 ms tick: the keys held, the toolbar's hot zone, other programs' windows.
class Monitor : public Toolbar {
protected:
    frmMain& main = frmMain::instance();
    void hold(std::initializer_list<int> digits, bool control = true) {
        fakeDesktop().held.clear();
        if (control)
            fakeDesktop().held.insert(VirtualKey::Control);
        for (int digit : digits)
            fakeDesktop().held.insert(digitKey(digit));
    }
};

TEST_F(Monitor, CtrlDigitsRunTheirToolsOnEveryTickWhileHeld) {
    fakeDesktop().windows[Editor] = QRect(10, 10, 64, 32);
    fakeDesktop().foreground = Editor;
    NewSectionPanel();
    hold({1, 2, 3, 4});
    main.TimerTestForeWindow_Timer();
    main.TimerTestForeWindow_Timer();
    hold({1}, false); // a digit without Ctrl
    main.TimerTestForeWindow_Timer();
    hold({4});
    main.TimerTestForeWindow_Timer();
    // Ctrl+2 takes the window in front at the press, though the toolbar never opened.
    EXPECT_EQ(names(),
              QStringList({"01) capture.screen.(1920x1080)", "02) capture.window",
                           "03) capture.section.(473x277)", "04) capture.screen.(1920x1080)",
                           "05) capture.window", "06) capture.section.(473x277)"}));
}

TEST_F(Monitor, AHeldKeyWithAFolderThatIsGoneShowsOneMessageAtATime) {
    storeImagesFolder("/gone");
    hold({1});
    int nested = 0;
    setCaptureDialogs({[](const QString&) { return QString(); },
                       [&](const QString&, const QString&) {
                           // The box's own event loop runs the monitor's timer meanwhile.
                           ++nested;
                           main.TimerTestForeWindow_Timer();
                       },
                       [](const QString&, const QString&) {}});
    main.TimerTestForeWindow_Timer();
    EXPECT_EQ(nested, 1);
}

// How far a window may be from the guide is the unit tables' business; here the window in front
// is one in reach.
TEST_F(Monitor, AnotherProgramsWindowSnapsOntoAGuideOnlyWhenItShould) {
    NewGridLine(Align::Vertical, 400);
    constexpr NativeWindow Dock = 0x4200002;
    fakeDesktop().fixedWindows.insert(Dock);
    const std::tuple<const char*, NativeWindow, bool, bool> rows[] = {
        {"in reach", Editor, true, true},
        {"snapping off", Editor, false, false},
        {"a dock", Dock, true, false},
        {"one of the program's own", NativeWindow(toolbar.winId()), true, false},
    };
    for (const auto& [what, window, snapping, moved] : rows) {
        fakeDesktop().windows[Editor] = fakeDesktop().windows[Dock] = QRect(390, 100, 300, 200);
        fakeDesktop().moves.clear();
        fakeDesktop().foreground = window;
        appState().SnapToLineGrid = snapping;
        main.TimerTestForeWindow_Timer();
        EXPECT_EQ(!fakeDesktop().moves.isEmpty(), moved) << what;
    }
    EXPECT_EQ(main.trackedWindow(), 0u) << "the program's own windows are not tracked";
}

// Where the desktop tells of changes the monitor rests between them: the look that begins to open
// the toolbar, still parked then, keeps it looking until the pointer has left.
TEST_F(Monitor, APointerThatTouchesTheEdgeAndLeavesAtOnceParksTheToolbarAgain) {
    fakeDesktop().tellsOfChanges = true;
    main.Start();
    fakeDesktop().cursor = QPoint(960, 0);
    main.TimerTestForeWindow_Timer();
    fakeDesktop().cursor = QPoint(960, 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return toolbar.isOpen(); }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !toolbar.isOpen(); }, 3000));
}

} // namespace
