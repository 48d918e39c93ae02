#include "shell/frmMain.h"

#include "capture/browseforfolder.h"
#include "capture/capture.h"
#include "colours/coloursmenu.h"
#include "core/appstate.h"
#include "core/formlist.h"
#include "core/texts.h"
#include "guides/newgridline.h"
#include "measure/measureoverlay.h"
#include "panels/newsectionpanel.h"
#include "platform/autostart.h"
#include "platform/desktop.h"
#include "platform/settings.h"
#include "platform/trayicon.h"
#include "platform/windowservices.h"
#include "rulers/frmRule.h"
#include "shell/appicon.h"
#include "shell/foregroundmonitor.h"
#include "shell/frmAbout.h"
#include "toolbar/frmToolbar.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

#include <cstdio>

namespace vantor {

frmMain::frmMain() {
    setAttribute(Qt::WA_QuitOnClose, false);
    m_trayIcon.setIcon(appIcon());
    connect(&m_trayIcon, &QSystemTrayIcon::activated, this, &frmMain::TrayIcon_Activated);
    buildMenu();
    TimerTestForeWindow.setInterval(100);
    connect(&TimerTestForeWindow, &QTimer::timeout, this, &frmMain::TimerTestForeWindow_Timer);
    m_trayWatch.setInterval(250);
    connect(&m_trayWatch, &QTimer::timeout, this, &frmMain::waitForTray);
    Form_Load();
}

void frmMain::Form_Load() {
    FormList::add(this);
    Start();
}

void frmMain::buildMenu() {
    // Texts come from the text table each time the menu opens; none are set here.
    // A ruler is held by no variable; it releases itself when it closes.
    mPopupAddRule = mpopup.addAction(QString(), this, [] { (new frmRule)->show(); });
    mPopupJoinRule = mpopup.addAction(QString(), this, &frmMain::mPopupJoinRule_Click);
    mPopupJoinRule->setCheckable(true);
    mPopupRuleLock = mpopup.addAction(QString(), this, &frmMain::mPopupRuleLock_Click);
    mPopupDeleteAllRules = mpopup.addAction(QString(), this, &frmMain::mPopupDeleteAllRules_Click);
    mpopup.addSeparator();
    mPopupAddVerticalGridLine =
        mpopup.addAction(QString(), this, [] { NewGridLine(Align::Vertical); });
    mPopupAddHorizontalGridLine =
        mpopup.addAction(QString(), this, [] { NewGridLine(Align::Horizontal); });
    mpopup.addSeparator();
    mPopupAddSectionFrame = mpopup.addAction(QString(), this, [] { NewSectionPanel(); });
    m_popupMeasure = mpopup.addAction(QString(), this, [] { MeasureOverlay::open(); });
    mpopup.addSeparator();
    mPopupSnapToLineGrid = mpopup.addAction(QString(), this, &frmMain::mPopupSnapToLineGrid_Click);
    mPopupSnapToLineGrid->setCheckable(true);
    m_popupSnapToEdges =
        mpopup.addAction(QString(), this, [] { appState().SnapToEdges = !appState().SnapToEdges; });
    m_popupSnapToEdges->setCheckable(true);
    mPopupHideShowAll = mpopup.addAction(QString(), this, &frmMain::mPopupHideShowAll_Click);
    mpopup.addSeparator();
    mpopup.addMenu(&m_popupColours);
    mpopup.addMenu(&mpopupOptions);
    mpopupOptionsViewImagesFolder =
        mpopupOptions.addAction(QString(), this, &frmMain::mpopupOptionsViewImagesFolder_Click);
    mpopupOptionsImagesFolder =
        mpopupOptions.addAction(QString(), this, &frmMain::mpopupOptionsImagesFolder_Click);
    mpopupOptions.addMenu(&m_popupImageFormat);
    auto* formats = new QActionGroup(this);
    for (const auto& choice : {std::pair{ImageFormat::Bmp, "BMP"}, {ImageFormat::Png, "PNG"}}) {
        const ImageFormat format = choice.first;
        QAction* item = m_popupImageFormat.addAction(QString::fromLatin1(choice.second), this,
                                                     [format] { SetCaptureImageFormat(format); });
        item->setCheckable(true);
        item->setData(int(format));
        formats->addAction(item);
    }
    m_popupCopyToClipboard = mpopupOptions.addAction(
        QString(), this, [](bool copy) { SetCopyCapturesToClipboard(copy); });
    m_popupCopyToClipboard->setCheckable(true);
    mpopupOptionsStartAtLogin =
        mpopupOptions.addAction(QString(), this, &frmMain::mpopupOptionsStartAtLogin_Click);
    mpopupOptionsStartAtLogin->setCheckable(true);
    mpopupAbout = mpopup.addAction(QString(), this, [] {
        frmAbout about;
        execAboveTools(about);
    });
    mPopupExit = mpopup.addAction(QString(), this, &frmMain::mPopupExit_Click);
}

void frmMain::Start() {
    m_pace = MonitorPace(desktop().watchChanges([this] { desktopChanged(); }));
    TimerTestForeWindow.start();
}

void frmMain::desktopChanged() {
    // Told from inside the desktop's reading of its events: the look, which reads them too, comes
    // after.
    if (m_pace.changed())
        QMetaObject::invokeMethod(this, &frmMain::TimerTestForeWindow_Timer, Qt::QueuedConnection);
}

void frmMain::paceAfterLook(bool goingOn) {
    // The pointer reaching the parked toolbar's edge is told; an open toolbar closes when the
    // pointer leaves it, which the tick sees.
    const frmToolbar& toolbar = frmToolbar::instance();
    desktop().watchPointerIn(toolbar.isOpen() ? QList<QRect>() : toolbar.hotZones());
    if (!m_pace.afterLook(goingOn || toolbar.isOpen()))
        TimerTestForeWindow.stop();
    else if (!TimerTestForeWindow.isActive())
        TimerTestForeWindow.start();
}

void frmMain::showTrayIcon() {
    m_trayIcon.show();
    catchDroppedTrayPresses(m_trayIcon, [this] { TrayIcon_Activated(QSystemTrayIcon::Context); });
}

void frmMain::AddTrayIcon(const QString& tipText) {
    m_trayIcon.setToolTip(tipText);
    showTrayIcon();
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fputs("vantor-screen-tools: no system tray yet; the icon will appear as soon as "
                   "one starts.\n",
                   stderr);
        m_trayWatch.start();
    }
}

void frmMain::waitForTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayWatch.stop();
    // The icon docks only when shown while a tray is there.
    m_trayIcon.hide();
    showTrayIcon();
}

void frmMain::RemoveTrayIcon() {
    m_trayWatch.stop();
    m_trayIcon.hide();
}

void frmMain::refreshMenuTexts() {
    const AppState& state = appState();
    mPopupAddRule->setText(LoadText(104));
    mPopupDeleteAllRules->setText(LoadText(105));
    mPopupExit->setText(LoadText(106));
    mPopupRuleLock->setText(LoadText(107));
    mPopupJoinRule->setText(LoadText(108));
    mPopupHideShowAll->setText(LoadText(112));
    mPopupSnapToLineGrid->setText(LoadText(113));
    mPopupAddVerticalGridLine->setText(LoadText(115));
    mPopupAddHorizontalGridLine->setText(LoadText(116));
    mPopupAddSectionFrame->setText(LoadText(117));
    m_popupMeasure->setText(LoadText(133));
    m_popupSnapToEdges->setText(LoadText(135));
    m_popupSnapToEdges->setChecked(state.SnapToEdges);
    mPopupJoinRule->setChecked(state.RulesJoined);
    mPopupSnapToLineGrid->setChecked(state.SnapToLineGrid);
    mpopupAbout->setText(LoadText(130));
    mpopupOptions.setTitle(LoadText(128));
    mpopupOptionsImagesFolder->setText(LoadText(126));
    mpopupOptionsViewImagesFolder->setText(LoadText(127));
    mpopupOptionsViewImagesFolder->setEnabled(!ImagesFolderToView().isEmpty());
    m_popupImageFormat.setTitle(LoadText(138));
    for (QAction* item : m_popupImageFormat.actions())
        item->setChecked(item->data().toInt() == int(CaptureImageFormat()));
    m_popupCopyToClipboard->setText(LoadText(139));
    m_popupCopyToClipboard->setChecked(CopiesCapturesToClipboard());
    m_popupColours.setTitle(LoadText(140));
    fillColoursMenu(m_popupColours);
    mpopupOptionsStartAtLogin->setText(LoadOwnText(OwnText::StartAtLogin));
    // The entry is the user's file: removed or written by another program, the mark follows it.
    mpopupOptionsStartAtLogin->setChecked(startsAtLogin());
}

void frmMain::TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Context)
        openPopupMenu(desktop().cursorPos());
}

void frmMain::openPopupMenu(QPoint at) {
    // The menu and the command chosen from it run inside this call; presses that arrive
    // meanwhile are dropped rather than opening a second menu.
    if (InTrayCallback)
        return;
    InTrayCallback = true;
    settleFocusBeforeMenu();
    refreshMenuTexts();
    const QPointer<frmMain> self(this);
    mpopup.exec(at);
    if (self)
        InTrayCallback = false;
}

void frmMain::mPopupJoinRule_Click() {
    appState().RulesJoined = !appState().RulesJoined;
}

void frmMain::mPopupRuleLock_Click() {
    // Rulers have no lock of their own; the item is offered and changes nothing.
}

void frmMain::mPopupDeleteAllRules_Click() {
    for (QWidget* form :
         FormList::formsOfType({QStringLiteral("frmrule"), QStringLiteral("frmpositioninfo")}))
        FormList::unload(form);
}

void frmMain::mPopupSnapToLineGrid_Click() {
    appState().SnapToLineGrid = !appState().SnapToLineGrid;
}

void frmMain::mPopupHideShowAll_Click() {
    for (QWidget* form :
         FormList::formsOfType({QStringLiteral("frmrule"), QStringLiteral("frmgridline"),
                                QStringLiteral("frmframe")}))
        form->setVisible(ShowAllState);
    ShowAllState = !ShowAllState;
}

void frmMain::mpopupOptionsViewImagesFolder_Click() {
    const QString folder = ImagesFolderToView();
    if (folder.isEmpty() || QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return;
    const QString shown = QDir::toNativeSeparators(folder);
    std::fprintf(stderr, "vantor-screen-tools: %s\n",
                 qUtf8Printable(ownTextFor(OwnText::NoFolderViewer, Language::English).arg(shown)));
    QMessageBox box(QMessageBox::Information, LoadText(127),
                    LoadOwnText(OwnText::NoFolderViewer).arg(shown), QMessageBox::Ok);
    execAboveTools(box);
}

void frmMain::mpopupOptionsImagesFolder_Click() {
    const QString current =
        ReadSetting(QStringLiteral("vantorScreenTools"), QStringLiteral("imageSavePath"));
    const QString path = BrowseForFolder(LoadText(121), current);
    if (!path.isEmpty())
        StoreImagesFolder(path);
}

void frmMain::mpopupOptionsStartAtLogin_Click(bool start) {
    QString problem;
    if (!setStartAtLogin(start, problem))
        std::fprintf(stderr, "vantor-screen-tools: cannot %s: %s\n",
                     start ? "make the program start at login" : "stop the start at login",
                     qUtf8Printable(problem));
}

void frmMain::mPopupExit_Click() {
    // The menu and the tray icon's press handler are still on the stack here; the windows they
    // belong to must outlive them, so the shutdown runs once they have returned.
    QMetaObject::invokeMethod(
        qApp, [] { ShutdownApplication(); }, Qt::QueuedConnection);
}

void frmMain::TimerTestForeWindow_Timer() {
    // A capture started here may show a message box or the folder dialog, whose own event loop
    // runs this timer again: a key still held must not stack a box on the box.
    if (m_inTick)
        return;
    m_inTick = true;
    const QPointer<frmMain> self(this);
    frmToolbar& toolbar = frmToolbar::instance();
    DesktopLook seen = desktop().look(captureHotkeys());
    const bool held = RunCaptureHotkeys(toolbar, seen.keys);
    if (held) {
        if (!self)
            return;
        // A capture may have waited for a message box meanwhile.
        seen.cursor = desktop().cursorPos();
        seen.foreground = desktop().foregroundWindow();
    }
    m_inTick = false;
    const bool opened = toolbar.ShowToolbar(seen.cursor.x(), seen.cursor.y());
    // A combination still held runs again on the next tick; a toolbar that begins to open, still
    // parked at this moment, is seen on its way, or the pointer leaving it at once goes unseen.
    paceAfterLook(held || opened);
    if (opened)
        return;
    TrackedWindow = trackedWindowFor(seen.foreground);
    if (appState().SnapToLineGrid && TrackedWindow != 0)
        snapWindowToGuides(TrackedWindow);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Unloading the main window always ends the program; it is never refused.
    event->accept();
    ShutdownApplication();
}

void ShutdownApplication() {
    if (frmMain* main = frmMain::loadedInstance())
        main->RemoveTrayIcon();
    for (QWidget* form : FormList::forms())
        FormList::unload(form);
    QCoreApplication::quit();
}

} // namespace vantor
