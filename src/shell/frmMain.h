#pragma once

#include "core/singleinstance.h"
#include "platform/desktop.h"
#include "shell/monitorpace.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace vantor {

// The hidden main window: it owns the notification icon, its popup menu and the 100 ms timer,
// which runs while something on the desktop goes on. It is loaded once and never shown; unloading
// it ends the program.
class frmMain final : public QWidget, public SingleInstance<frmMain> {
    Q_OBJECT
public:
    void Start();
    void AddTrayIcon(const QString& tipText);
    void RemoveTrayIcon();

    // Sets every item's text and check mark from the text table and the shared flags,
    // as happens right before the menu opens.
    void refreshMenuTexts();
    // What a press on the notification icon does; only the right button opens the menu.
    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);
    // Opens the menu at `at`, as a right press on the icon does; also from the toolbar.
    void openPopupMenu(QPoint at);
    // The other program's window the monitor acts on; 0 while one of ours is in front.
    NativeWindow trackedWindow() const { return TrackedWindow; }
    void TimerTestForeWindow_Timer();

    QMenu& popupMenu() { return mpopup; }
    const QSystemTrayIcon& trayIcon() const { return m_trayIcon; }
    bool showAllState() const { return ShowAllState; }

    // Menu commands.
    void mPopupJoinRule_Click();
    void mPopupRuleLock_Click();
    void mPopupDeleteAllRules_Click();
    void mPopupSnapToLineGrid_Click();
    void mPopupHideShowAll_Click();
    void mpopupOptionsViewImagesFolder_Click();
    void mpopupOptionsImagesFolder_Click();
    void mpopupOptionsStartAtLogin_Click(bool start);
    void mPopupExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SingleInstance<frmMain>;
    frmMain();
    void Form_Load();
    void buildMenu();
    void showTrayIcon();
    void waitForTray();
    void desktopChanged();
    // Runs or rests the timer after a look that found something going on or not.
    void paceAfterLook(bool goingOn);

    QSystemTrayIcon m_trayIcon;
    QMenu mpopup;
    QMenu mpopupOptions;
    QMenu m_popupColours;
    QMenu m_popupImageFormat;
    QAction* mPopupAddRule = nullptr;
    QAction* mPopupJoinRule = nullptr;
    QAction* mPopupRuleLock = nullptr;
    QAction* mPopupDeleteAllRules = nullptr;
    QAction* mPopupAddVerticalGridLine = nullptr;
    QAction* mPopupAddHorizontalGridLine = nullptr;
    QAction* mPopupAddSectionFrame = nullptr;
    QAction* mPopupSnapToLineGrid = nullptr;
    QAction* m_popupMeasure = nullptr;
    QAction* m_popupSnapToEdges = nullptr;
    QAction* mPopupHideShowAll = nullptr;
    QAction* mpopupOptionsViewImagesFolder = nullptr;
    QAction* mpopupOptionsImagesFolder = nullptr;
    QAction* mpopupOptionsStartAtLogin = nullptr;
    QAction* m_popupCopyToClipboard = nullptr;
    QAction* mpopupAbout = nullptr;
    QAction* mPopupExit = nullptr;

    QTimer TimerTestForeWindow;
    QTimer m_trayWatch;
    bool ShowAllState = false;
    bool InTrayCallback = false;
    bool m_inTick = false;
    MonitorPace m_pace{false};
    NativeWindow TrackedWindow = 0;
};

// Removes the icon, unloads every window and lets the program end. Harmless when run again.
void ShutdownApplication();

} // namespace vantor
