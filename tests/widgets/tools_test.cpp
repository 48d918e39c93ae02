// The zoom lens, the screen painter, the section capture and the about box.

#include "widgettest.h"

#include "painter/frmScreenPainter.h"
#include "section/frmCaptureSection.h"
#include "section/sectiondrag.h"
#include "shell/frmAbout.h"
#include "zoom/frmZoom.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include <functional>

using namespace vantor;
using namespace vantor::test;

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Blue = 0xFF0000FF;

// Whether the pixel at, or one beside it, is red: a 2 pixel line lies on either side of its path.
bool redNear(const QImage& image, QPoint at) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.pixel(at + QPoint(dx, dy)) == Red)
                return true;
    return false;
}

// Notes the opacity each time the painter is drawn at a new one.
class FadeWatch : public QObject {
public:
    QList<int> levels;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const int level = qRound(static_cast<QWidget*>(watched)->windowOpacity() * 255);
        if (event->type() == QEvent::Paint && (levels.isEmpty() || levels.last() != level))
            levels.append(level);
        return false;
    }
};

} // namespace

// The last row's pointer is in the screen's corner: the pixel below right of it lies beyond.
TEST(Zoom, TheLensIs32TimesItsFactorAndShowsThePointersPixelAsABlockAt16And16) {
    frmZoom& lens = frmZoom::instance();
    for (const auto& [f, cursor] : {std::pair{2, QPoint(500, 300)}, {4, QPoint(1919, 1079)}}) {
        SCOPED_TRACE(f);
        fakeDesktop().screen.fill(Qt::darkGray);
        fakeDesktop().screen.setPixel(cursor, White);
        fakeDesktop().screen.setPixel(cursor - QPoint(1, 1), Blue);
        fakeDesktop().cursor = cursor;
        lens.SetZoom(f);
        lens.TimerCursorZoom_Timer();
        EXPECT_EQ(lens.size(), QSize(32 * f, 32 * f));
        EXPECT_EQ(lens.readColour(), White) << "the strip reads the pointer's pixel";
        const QImage& face = lens.face();
        ASSERT_EQ(face.size(), lens.size());
        // How far each block reaches is the unit test's business.
        const QRgb beyond = f == 4 ? Black : QColor(Qt::darkGray).rgb();
        for (const auto& [at, colour] :
             {std::pair{16 * f, White}, {16 * f - 1, Blue}, {17 * f, beyond}})
            EXPECT_EQ(face.pixel(at, at), colour) << at;
    }
}

TEST(ScreenPainter, LinesStartWhereTheLeftButtonWentDownAndTheRightOneRubsThemOut) {
    fakeDesktop().screen.fill(Qt::darkCyan);
    frmScreenPainter::open();
    frmScreenPainter& painter = *frmScreenPainter::loadedInstance();
    const QImage frozen = fakeDesktop().screen;
    EXPECT_EQ(painter.geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(painter.picture(), frozen);
    fakeDesktop().screen.fill(Qt::yellow); // the screen changes under the frozen copy

    dragLeft(painter, {100, 100}, {{200, 100}, {200, 200}});
    dragLeft(painter, {400, 400}, {{500, 400}});
    for (QPoint on : {QPoint(101, 100), QPoint(150, 100), QPoint(200, 150), QPoint(450, 400)})
        EXPECT_TRUE(redNear(painter.picture(), on)) << on.x() << "," << on.y();
    EXPECT_FALSE(redNear(painter.picture(), {300, 300})) << "the second stroke joined the first";

    press(painter, {150, 100}, Qt::RightButton);
    moveHeld(painter, {150, 100}, Qt::RightButton);
    const QRect rubbed(140, 90, 20, 20);
    EXPECT_EQ(painter.picture().copy(rubbed), frozen.copy(rubbed));

    const QImage before = painter.picture();
    sendMouse(painter, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton,
              {450, 390});
    for (QPoint to : {QPoint(450, 400), QPoint(600, 600)})
        moveHeld(painter, to, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(painter.picture(), before) << "both buttons together do nothing";
}

TEST(ScreenPainter, EscapeFadesItOutOnceThoughPressedTwice) {
    frmScreenPainter::open();
    QPointer<frmScreenPainter> painter = frmScreenPainter::loadedInstance();
    FadeWatch watch;
    painter->installEventFilter(&watch);
    // Both presses queued, as a quick double press comes: the second finds the painter closing.
    for (int i = 0; i < 2; ++i)
        QCoreApplication::postEvent(
            painter, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QCoreApplication::processEvents();
    EXPECT_EQ(watch.levels, QList<int>({255, 195, 135, 75, 15}));
    EXPECT_EQ(frmScreenPainter::loadedInstance(), nullptr);
    EXPECT_TRUE(!painter || !painter->isVisible());
}

TEST(CaptureSection, TheLeftButtonDragsTheSectionWhoseRedInsideIsAHoleButForTheBlackSquare) {
    frmCaptureSection& layer = frmCaptureSection::instance();
    layer.show();
    QWidget& section = layer.section();
    EXPECT_EQ(layer.geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(layer.mask(), QRegion(layer.rect())) << "no hole before the first drag";
    EXPECT_EQ(layer.face().pixel(10, 10), Black);

    press(section, {60, 220}); // 8, 11 inside the section where it first lies
    moveHeld(section, {68, 71});
    EXPECT_EQ(section.geometry(), QRect(60, 60, 229, 154));
    moveHeld(section, {300, 300}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(section.pos(), QPoint(60, 60)) << "only the left button alone drags";

    const QImage& face = layer.face();
    const QRegion shape = layer.mask();
    int holes = 0;
    for (int y = 50; y < 225; ++y)
        for (int x = 50; x < 300; ++x) {
            const bool hole = !shape.contains(QPoint(x, y));
            ASSERT_EQ(face.pixel(x, y) == SectionKeyColor, hole) << x << "," << y;
            holes += hole;
        }
    // The inside, 2 pixels in from the section's edges, less the square from 100 to 200.
    EXPECT_EQ(holes, 225 * 150 - 101 * 101);
    for (QPoint square : {QPoint(100, 100), QPoint(200, 200)})
        EXPECT_EQ(face.pixel(square), Black) << square.x() << "," << square.y();
}

TEST(CaptureSection, EscapeClosesItWhicheverPartHasTheKeys) {
    for (bool onSection : {false, true}) {
        frmCaptureSection& layer = frmCaptureSection::instance();
        layer.show();
        key(onSection ? layer.section() : static_cast<QWidget&>(layer), Qt::Key_Escape);
        EXPECT_EQ(frmCaptureSection::loadedInstance(), nullptr) << onSection;
        EXPECT_FALSE(layer.isVisible()) << onSection;
    }
}

TEST(About, AClickADoubleClickAClickOnTheVersionOrEscapeCloseItOtherKeysDoNot) {
    const auto doubleClick = [](frmAbout& about) {
        sendMouse(about, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton,
                  about.mapToGlobal(QPoint(390, 5)));
    };
    const std::tuple<const char*, std::function<void(frmAbout&)>, bool> rows[] = {
        {"click", [](frmAbout& about) { press(about, about.mapToGlobal(QPoint(5, 5))); }, true},
        {"double click", doubleClick, true},
        {"click on the version", [](frmAbout& about) { clickOn(about.versionLabel()); }, true},
        {"Escape", [](frmAbout& about) { key(about, Qt::Key_Escape); }, true},
        {"A", [](frmAbout& about) { key(about, Qt::Key_A); }, false},
        {"Return", [](frmAbout& about) { key(about, Qt::Key_Return); }, false},
    };
    for (const auto& [what, act, closes] : rows) {
        frmAbout about;
        about.show();
        act(about);
        EXPECT_EQ(about.isVisible(), !closes) << what;
    }
}
