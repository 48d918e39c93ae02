#pragma once

#include "../unit/testenv.h"
#include "capture/capture.h"
#include "core/appstate.h"
#include "core/formlist.h"
#include "guides/frmGridLine.h"
#include "guides/newgridline.h"
#include "panels/frmFrame.h"
#include "platform/fake/fakedesktop.h"
#include "rulers/frmRule.h"

#include <QEvent>
#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

class QDialog;
class QMenu;
class QWidget;

namespace vantor::test {

// The fake desktop every widget test runs on; reset to a clean state before each test.
FakeDesktop& fakeDesktop();

// New tool windows, shown; the form list releases them when the test unloads them. A guide
// without a position goes to the default place; a null geometry keeps the panel's own.
frmRule& newRule(QPoint topLeft);
frmGridLine& newGuide(Align align, std::optional<int> position = std::nullopt);
frmFrame& newPanel(const QRect& geometry = {});

// Delivers a mouse event at a screen position, with the fake desktop's cursor moved there first.
void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint screenPos);
void press(QWidget& target, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void moveHeld(QWidget& target, QPoint at, Qt::MouseButtons held = Qt::LeftButton);
void release(QWidget& target, QPoint at);
// Presses the left button at from, moves with it held through each point, then releases.
void dragLeft(QWidget& target, QPoint from, const QList<QPoint>& through, bool andRelease = true);
// A left click in the middle of target.
void clickOn(QWidget& target);
// A press of the key with that code, no modifier held.
void key(QWidget& target, int code);

// The window as it shows, one image pixel per logical pixel.
QImage rendered(QWidget& window);
// Whether any pixel in the area, both corners included, is white or nearly so (text is smoothed).
bool anyWhite(const QImage& image, QRect area);

// What a menu lists: visible items only, separators as "-".
QStringList menuTexts(const QMenu& menu);

struct MenuSeen {
    bool opened = false;
    QStringList texts;   // as menuTexts gives them
    QStringList checked; // the texts of the checked items
};

// Runs open, which should pop a menu up, reads that menu and closes it, then triggers the item
// whose text is choose, if any.
MenuSeen readPopupMenu(const std::function<void()>& open, const QString& choose = {});
// The same for the menu a press of button in the middle of target opens.
MenuSeen pressForMenu(QWidget& target, Qt::MouseButton button, const QString& choose = {});

// Hands the next modal dialog to answer once it shows, until the test ends; a dialog left open is
// then rejected. Every dialog must stay above the tool windows.
void whenModal(std::function<void(QDialog&)> answer);

// A private settings store and capture dialogs that answer at once and remember what they were
// asked.
class CaptureSetup {
public:
    CaptureSetup();
    ~CaptureSetup();

    // Stores the images folder, with tail appended, as the place for captures.
    void storeImagesFolder(const QString& tail = {}) const;
    // The bitmaps saved below the images folder, sorted by path.
    QStringList savedFiles() const;

    QTemporaryDir config;
    QTemporaryDir images;
    QString browseAnswer;
    QStringList browseTitles;
    QList<std::pair<QString, QString>> messages; // title and text
    QList<std::pair<QString, QString>> notices;
    bool busyCursorAtMessage = false; // a message shown under a busy cursor says to wait
    ScopedEnv env;
    CaptureDialogs previous;
};

} // namespace vantor::test
