#include "widgettest.h"

#include "core/appstate.h"
#include "core/formlist.h"
#include "platform/settings.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

namespace fakeforms {

// Stand-ins for the tool windows, named as the program's window classes are.
class frmRule : public QWidget {
    Q_OBJECT
public:
    frmRule() { vantor::FormList::add(this); }
};
class frmGridLine : public QWidget {
    Q_OBJECT
public:
    frmGridLine() { vantor::FormList::add(this); }
};
class frmFrame : public QWidget {
    Q_OBJECT
public:
    frmFrame() { vantor::FormList::add(this); }
};
class frmPositionInfo : public QWidget {
    Q_OBJECT
public:
    frmPositionInfo() { vantor::FormList::add(this); }
};
class frmZoom : public QWidget {
    Q_OBJECT
public:
    frmZoom() { vantor::FormList::add(this); }
};

} // namespace fakeforms

using namespace vantor;

namespace {

QAction* itemNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

template <class Form> Form* show() {
    auto* form = new Form;
    form->show();
    return form;
}

class MainMenu : public ::testing::Test {
protected:
    frmMain& openMenuTexts(const char* lang) {
        env.set("LANG", lang);
        frmMain& main = frmMain::instance();
        main.refreshMenuTexts();
        return main;
    }

    QTemporaryDir config;
    test::ScopedEnv env{{"LC_ALL", ""},
                        {"XDG_CONFIG_HOME", config.path().toLocal8Bit().constData()}};
};

} // namespace

TEST_F(MainMenu, RowsAndOptionsInOrderInEnglishAndItalian) {
    const QStringList english = {"Add rule",
                                 "Join rules",
                                 "Lock rules",
                                 "Delete rules",
                                 "-",
                                 "Add vertical grid line",
                                 "Add Horizontal grid line",
                                 "-",
                                 "Add section panel",
                                 "-",
                                 "Snap to line grid",
                                 "Hide/Show all",
                                 "-",
                                 "Options...",
                                 "About...",
                                 "Exit"};
    const QStringList italian = {"Aggiungi righello",
                                 "Unisci righelli",
                                 "Blocca righelli",
                                 "Elimina tutti i righelli",
                                 "-",
                                 "Aggiungi linea guida verticale",
                                 "Aggiungi linea guida orizzontale",
                                 "-",
                                 "Aggiungi pannello di sezione",
                                 "-",
                                 "Linee guida calamitate",
                                 "Nascondi/Mostra tutto",
                                 "-",
                                 "Opzioni...",
                                 "Informazioni...",
                                 "Uscita"};
    const QStringList englishOptions = {"View images folder", "Set images folder..."};
    const QStringList italianOptions = {"Vai alla cartella delle immagini",
                                        "Imposta cartella immagini..."};
    for (const auto& [lang, expected, options] :
         {std::tuple{"en_US.UTF-8", english, englishOptions},
          std::tuple{"it_IT.UTF-8", italian, italianOptions}}) {
        frmMain& main = openMenuTexts(lang);
        EXPECT_EQ(test::menuTexts(main.popupMenu()), expected) << lang;
        const QMenu* submenu = main.popupMenu().actions().at(13)->menu();
        ASSERT_NE(submenu, nullptr);
        ASSERT_EQ(test::menuTexts(*submenu), options) << lang;
        EXPECT_FALSE(submenu->actions()[0]->isEnabled());
        EXPECT_TRUE(submenu->actions()[1]->isEnabled());
    }
}

TEST_F(MainMenu, CheckMarksFollowTheSharedFlagsEachTimeItOpens) {
    frmMain& main = openMenuTexts("en_US.UTF-8");
    QAction* join = itemNamed(main.popupMenu(), "Join rules");
    QAction* snap = itemNamed(main.popupMenu(), "Snap to line grid");
    QAction* lock = itemNamed(main.popupMenu(), "Lock rules");
    EXPECT_FALSE(join->isChecked());
    EXPECT_TRUE(snap->isChecked());
    EXPECT_FALSE(lock->isCheckable());

    join->trigger();
    snap->trigger();
    EXPECT_TRUE(appState().RulesJoined);
    EXPECT_FALSE(appState().SnapToLineGrid);
    main.refreshMenuTexts();
    EXPECT_TRUE(join->isChecked());
    EXPECT_FALSE(snap->isChecked());

    const AppState before = appState();
    lock->trigger();
    EXPECT_EQ(appState().RulesJoined, before.RulesJoined);
    EXPECT_EQ(appState().SnapToLineGrid, before.SnapToLineGrid);
}

TEST_F(MainMenu, HideShowAllTogglesRulersGuidesAndPanelsOnly) {
    frmMain& main = openMenuTexts("en_US.UTF-8");
    auto* rule = show<fakeforms::frmRule>();
    auto* guide = show<fakeforms::frmGridLine>();
    auto* panel = show<fakeforms::frmFrame>();
    auto* info = show<fakeforms::frmPositionInfo>();
    auto* zoom = show<fakeforms::frmZoom>();
    auto* hiddenRule = new fakeforms::frmRule; // loaded but never shown

    main.mPopupHideShowAll_Click();
    EXPECT_FALSE(rule->isVisible());
    EXPECT_FALSE(guide->isVisible());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(zoom->isVisible());

    auto* lateRule = show<fakeforms::frmRule>();
    EXPECT_TRUE(lateRule->isVisible());

    main.mPopupHideShowAll_Click();
    for (QWidget* form :
         {static_cast<QWidget*>(rule), static_cast<QWidget*>(guide), static_cast<QWidget*>(panel),
          static_cast<QWidget*>(lateRule), static_cast<QWidget*>(hiddenRule)})
        EXPECT_TRUE(form->isVisible()) << FormList::typeName(form).toStdString();

    main.mPopupHideShowAll_Click();
    EXPECT_FALSE(lateRule->isVisible());
}

TEST_F(MainMenu, DeleteRulesUnloadsRulersAndThePositionPanelOnly) {
    frmMain& main = openMenuTexts("en_US.UTF-8");
    main.mPopupDeleteAllRules_Click(); // nothing to delete: nothing happens
    const int before = FormList::forms().size();

    show<fakeforms::frmRule>();
    new fakeforms::frmRule;
    show<fakeforms::frmPositionInfo>();
    auto* guide = show<fakeforms::frmGridLine>();
    auto* panel = show<fakeforms::frmFrame>();
    main.mPopupDeleteAllRules_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(IsFormLoaded("frmRule"));
    EXPECT_FALSE(IsFormLoaded("FRMPOSITIONINFO"));
    EXPECT_TRUE(IsFormLoaded("frmgridline"));
    EXPECT_EQ(FormList::forms().size(), before + 2);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(MainMenu, SetImagesFolderStoresTheChoiceAndCancelKeepsTheOldOne) {
    frmMain& main = openMenuTexts("en_US.UTF-8");
    QTemporaryDir chosen, other;
    const auto answerDialog = [](const QString& folder, bool accept) {
        test::whenModal([folder, accept](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->windowTitle(), "Set path for saved images");
            files->setDirectory(folder);
            accept ? dialog.accept() : dialog.reject();
        });
    };
    answerDialog(chosen.path(), true);
    main.mpopupOptionsImagesFolder_Click();
    EXPECT_EQ(ReadSetting("vantorScreenTools", "imageSavePath"), chosen.path());

    answerDialog(other.path(), false);
    main.mpopupOptionsImagesFolder_Click();
    EXPECT_EQ(ReadSetting("vantorScreenTools", "imageSavePath"), chosen.path());
}

TEST_F(MainMenu, OnlyARightPressOpensTheMenuAndNeverTwice) {
    frmMain& main = openMenuTexts("it_IT.UTF-8");
    test::fakeDesktop().cursor = QPoint(1800, 1000);
    int opened = 0;
    QObject::connect(&main.popupMenu(), &QMenu::aboutToShow, [&] { ++opened; });

    // Left clicks and double clicks return at once without a menu.
    main.TrayIcon_Activated(QSystemTrayIcon::Trigger);
    main.TrayIcon_Activated(QSystemTrayIcon::DoubleClick);
    main.TrayIcon_Activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(opened, 0);

    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(main.popupMenu().isVisible());
        EXPECT_EQ(main.popupMenu().actions().first()->text(), "Aggiungi righello");
        main.TrayIcon_Activated(QSystemTrayIcon::Context); // dropped while the menu is open
        main.popupMenu().close();
    });
    main.TrayIcon_Activated(QSystemTrayIcon::Context);
    EXPECT_EQ(opened, 1);
}

TEST_F(MainMenu, ShutdownUnloadsEverythingAndIsHarmlessTwice) {
    frmMain::instance();
    show<fakeforms::frmRule>();
    show<fakeforms::frmGridLine>();
    ShutdownApplication();
    ShutdownApplication();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(FormList::forms().isEmpty());
    EXPECT_EQ(frmMain::loadedInstance(), nullptr);
}

#include "frmmain_test.moc"
