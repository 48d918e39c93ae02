#include "core/toolwindow.h"

#include "core/formlist.h"
#include "platform/windowservices.h"

namespace vantor {

void setUpToolWindow(QWidget& window, Focus focus, Qt::WindowFlags extraFlags,
                     Qt::WindowType type) {
    MakeToolWindow(window, extraFlags, type);
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setAttribute(Qt::WA_QuitOnClose, false);
    window.setAttribute(Qt::WA_ShowWithoutActivating, focus == Focus::Keep);
    setClassRole(window);
    FormList::add(&window);
}

void setClassRole(QWidget& window) {
    // The window's role names its kind (frmRule, frmFrame, ...) for the window system and for
    // scripts that look for the program's windows; users never see it.
    const QString className = QString::fromLatin1(window.metaObject()->className());
    window.setWindowRole(className.mid(className.lastIndexOf(QLatin1Char(':')) + 1));
}

} // namespace vantor
