#include "widgettest.h"

#include "platform/settings.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace vantor::test {

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
    const QPoint at = target.mapToGlobal(target.rect().center());
    press(target, at);
    release(target, at);
}

QImage rendered(QWidget& window) {
    return window.grab().toImage().scaled(window.size()).convertToFormat(QImage::Format_RGB32);
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
    auto* timer = new QTimer(qApp);
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
                                  [this](const QString& title, const QString& message) {
                                      messages.append({title, message});
                                  },
                                  [this](const QString& title, const QString& message) {
                                      notices.append({title, message});
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
