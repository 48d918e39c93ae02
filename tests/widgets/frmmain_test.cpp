#include "widgettest.h"

#include "platform/settings.h"
#include "rulers/frmPositionInfo.h"
#include "shell/frmMain.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

using namespace vantor;
using namespace vantor::test;

namespace {

// A private settings store, as for captures.
class MainMenu : public ::testing::Test, public CaptureSetup {
protected:
    // The tray menu as a right press on the icon opens it.
    MenuSeen openMenu(const QString& choose = {}) {
        return readPopupMenu([this] { main.TrayIcon_Activated(QSystemTrayIcon::Context); }, choose);
    }

    frmMain& main = frmMain::instance();
};

} // namespace

TEST_F(MainMenu, CheckMarksFollowTheSharedFlagsAtEachOpening) {
    EXPECT_EQ(openMenu().checked, QStringList{"Snap to line grid"});

    openMenu("Join rules");
    openMenu("Snap to line grid");
    EXPECT_TRUE(appState().RulesJoined);
    EXPECT_FALSE(appState().SnapToLineGrid);
    EXPECT_EQ(openMenu().checked, QStringList{"Join rules"});
}

TEST_F(MainMenu, OnlyARightPressOpensTheMenuAndNeverASecondOneWhileItIsOpen) {
    const QSignalSpy opened(&main.popupMenu(), &QMenu::aboutToShow);
    for (auto reason :
         {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick})
        main.TrayIcon_Activated(reason);
    EXPECT_EQ(opened.size(), 0);
    QTimer::singleShot(0, [&] {
        main.TrayIcon_Activated(QSystemTrayIcon::Context); // dropped while the menu is open
        main.popupMenu().close();
    });
    main.TrayIcon_Activated(QSystemTrayIcon::Context);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(openMenu().opened) << "once closed, it opens again";
}

TEST_F(MainMenu, HideShowAllTogglesTheToolsLoadedAtEachChoiceAndDeleteRulesEndsOnlyRulers) {
    QWidget* guide = &newGuide(Align::Vertical, 300);
    QWidget* panel = &newPanel();
    QList<QWidget*> tools = {&newRule(QPoint(100, 100)), guide, panel};
    QWidget* neverShown = new frmRule;
    frmPositionInfo::instance().show();
    openMenu("Hide/Show all");
    for (QWidget* tool : std::as_const(tools))
        EXPECT_FALSE(tool->isVisible()) << FormList::typeName(tool).toStdString();
    EXPECT_TRUE(frmPositionInfo::instance().isVisible());

    QWidget* late = &newRule(QPoint(500, 500));
    tools << late << neverShown;
    openMenu("Hide/Show all");
    for (QWidget* tool : std::as_const(tools))
        EXPECT_TRUE(tool->isVisible()) << FormList::typeName(tool).toStdString();
    openMenu("Hide/Show all");
    EXPECT_FALSE(late->isVisible());

    // The position panel goes with the rulers.
    openMenu("Delete rules");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FormList::forms(), QList<QWidget*>({&main, guide, panel}));
}

TEST_F(MainMenu, SetImagesFolderOpensAtTheCurrentOneAndStoresTheChoiceUnlessCancelled) {
    QStringList starts;
    for (const auto& [folder, accept] : {std::pair{images.path(), true}, {config.path(), false}}) {
        whenModal([&starts, folder = folder, accept = accept](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->windowTitle(), "Set path for saved images");
            starts << files->directory().absolutePath();
            files->setDirectory(folder);
            accept ? dialog.accept() : dialog.reject();
        });
        main.mpopupOptionsImagesFolder_Click();
        EXPECT_EQ(ReadSetting("vantorScreenTools", "imageSavePath"), images.path());
    }
    EXPECT_EQ(starts, QStringList({QDir::homePath(), images.path()}));
}

TEST_F(MainMenu, ExitUnloadsEverythingOnceTheMenuHasReturnedAndAgainIsHarmless) {
    newRule(QPoint(100, 100));
    bool loadedWhileExitRuns = false;
    QObject::connect(main.popupMenu().actions().last(), &QAction::triggered,
                     [&] { loadedWhileExitRuns = FormList::contains(&main); });
    openMenu("Exit");
    EXPECT_TRUE(loadedWhileExitRuns) << "the menu and the tray icon's handler still run on it";
    ShutdownApplication();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(FormList::forms().isEmpty());
}
