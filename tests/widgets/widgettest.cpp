#include "widgettest.h"

#include "panels/newsectionpanel.h"
#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

namespace vantor::test {

namespace {
FakeDesktop* fake = nullptr;

void failOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform says so whenever a window asks for what only a real screen does.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    ADD_FAILURE() << "Unexpected Qt message: " << message.toStdString();
}

// The owner of what lives as long as one test: answers waiting for a dialog refer to the test's
// locals, so none of them outlives it into the next test's dialogs.
QObject* testScope = nullptr;

class CleanState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        testScope = new QObject;
        fake = &installFakeDesktop();
        fake->screen = QImage(1920, 1080, QImage::Format_RGB32);
        fake->screen.fill(Qt::darkGray);
        appState() = AppState{};
    }
    // Unloads every window the test left behind and runs pending deletions.
    void OnTestEnd(const ::testing::TestInfo&) override {
        for (QWidget* form : FormList::forms())
            FormList::unload(form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete testScope;
        testScope = nullptr;
    }
};
} // namespace

FakeDesktop& fakeDesktop() {
    return *fake;
}

frmRule& newRule(QPoint topLeft) {
    auto* rule = new frmRule;
    rule->move(topLeft);
    rule->show();
    return *rule;
}

frmGridLine& newGuide(Align align, std::optional<int> position) {
    NewGridLine(align, position);
    return *FormList::formsOf<frmGridLine>().last();
}

frmFrame& newPanel(const QRect& geometry) {
    NewSectionPanel();
    frmFrame& panel = *FormList::formsOf<frmFrame>().last();
    if (!geometry.isNull())
        panel.setGeometry(geometry);
    return panel;
}

void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint screenPos) {
    fakeDesktop().cursor = screenPos;
    const QPointF global(screenPos);
    // Keys held on the fake keyboard come with the event, as the window system sends them.
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, fakeDesktop().held.contains(VirtualKey::Shift));
    modifiers.setFlag(Qt::ControlModifier, fakeDesktop().held.contains(VirtualKey::Control));
    QMouseEvent event(type, target.mapFromGlobal(global), global, button, buttons, modifiers);
    QApplication::sendEvent(&target, &event);
}

void press(QWidget& target, QPoint at, Qt::MouseButton button) {
    sendMouse(target, QEvent::MouseButtonPress, button, button, at);
}

void moveHeld(QWidget& target, QPoint at, Qt::MouseButtons held) {
    sendMouse(target, QEvent::MouseMove, Qt::NoButton, held, at);
}

void release(QWidget& target, QPoint at) {
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
}

void dragLeft(QWidget& target, QPoint from, const QList<QPoint>& through, bool andRelease) {
    press(target, from);
    for (QPoint to : through)
        moveHeld(target, to);
    if (andRelease)
        release(target, through.isEmpty() ? from : through.last());
}

void clickOn(QWidget& target) {
    dragLeft(target, target.mapToGlobal(target.rect().center()), {});
}

void key(QWidget& target, int code) {
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

QImage rendered(QWidget& window) {
    return window.grab().toImage().scaled(window.size()).convertToFormat(QImage::Format_RGB32);
}

bool anyWhite(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) > 170)
                return true;
    return false;
}

QStringList menuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        if (action->isVisible())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

MenuSeen readPopupMenu(const std::function<void()>& open, const QString& choose) {
    MenuSeen seen;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        seen.opened = true;
        seen.texts = menuTexts(*menu);
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isVisible() && action->isChecked())
                seen.checked.append(action->text());
            if (!choose.isEmpty() && action->text() == choose)
                chosen = action;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    open();
    // When no menu opened, the look at it runs now, while `seen` still exists.
    QApplication::processEvents();
    return seen;
}

MenuSeen pressForMenu(QWidget& target, Qt::MouseButton button, const QString& choose) {
    return readPopupMenu([&] { press(target, target.geometry().center(), button); }, choose);
}

void whenModal(std::function<void(QDialog&)> answer) {
    auto* timer = new QTimer(testScope);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        // Tool windows stay above other programs' windows; a dialog under them is covered.
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            << dialog->windowTitle().toStdString() << " does not stay above the tool windows";
        answer(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start(5);
}

CaptureSetup::CaptureSetup() {
    env.set("XDG_CONFIG_HOME", QFile::encodeName(config.path()).constData());
    previous = setCaptureDialogs({[this](const QString& title) {
                                      browseTitles.append(title);
                                      return browseAnswer;
                                  },
                                  [this](const QString& title, const QString& text) {
                                      messages.append({title, text});
                                      busyCursorAtMessage |=
                                          QGuiApplication::overrideCursor() != nullptr;
                                  },
                                  [this](const QString& title, const QString& text) {
                                      notices.append({title, text});
                                  }});
}

CaptureSetup::~CaptureSetup() {
    setCaptureDialogs(previous);
}

void CaptureSetup::storeImagesFolder(const QString& tail) const {
    WriteSetting(QStringLiteral("vantorScreenTools"), QStringLiteral("imageSavePath"),
                 images.path() + tail);
}

QStringList CaptureSetup::savedFiles() const {
    QStringList files;
    QDirIterator it(images.path(), {QStringLiteral("*.bmp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

} // namespace vantor::test

int main(int argc, char* argv[]) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // One screen as large as the fake desktop's picture of it, as on the desktop tests' server.
    // In the working folder: the platform's arguments are split at colons, so its path can hold
    // no drive letter.
    QTemporaryFile screens(QStringLiteral("screens-XXXXXX.json"));
    if (!screens.open() ||
        screens.write(R"({"screens": [{"name": "fake", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    screens.close();
    // Menus and messages read in English unless a test asks for another language.
    qputenv("LANG", "en_US.UTF-8");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" +
                                   QFile::encodeName(QDir().relativeFilePath(screens.fileName())));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qInstallMessageHandler(vantor::test::failOnWarnings);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new vantor::test::CleanState);
    return RUN_ALL_TESTS();
}
