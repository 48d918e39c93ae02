// A native Wayland client of known colours over the whole output, as another program's window
// that XWayland's copies cannot see.
#include "colourpattern.h"

#include <QApplication>
#include <QWidget>

namespace {

class PatternWidget final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).drawImage(0, 0, vantor::desk::colourPattern(size()));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PatternWidget window;
    window.setWindowTitle(QStringLiteral("colour client"));
    // KWin gives a new window a size of its own, in the middle of the output; sway tiles it.
    if (QApplication::arguments().contains(QStringLiteral("--full-screen")))
        window.showFullScreen();
    else
        window.show();
    return QApplication::exec();
}
