#include "widgettest.h"

#include "measure/measureoverlay.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWheelEvent>

using namespace vantor;
using namespace vantor::test;

namespace {

class Measure : public ::testing::Test, public CaptureSetup {
protected:
    Measure() {
        QImage& screen = fakeDesktop().screen;
        screen = QImage(1024, 768, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter(&screen).fillRect(QRect(100, 100, 200, 50), Qt::black);
    }

    void wheel(MeasureOverlay& overlay, int notches) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(),
                          QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&overlay, &event);
    }
};

} // namespace

TEST_F(Measure, TheWheelSetsTheToleranceAFailedSaveKeepsThePinsAndTheToolsComeBackAtTheEnd) {
    QWidget& rule = newRule(QPoint(500, 500));
    MeasureOverlay::open();
    MeasureOverlay* overlay = MeasureOverlay::loadedInstance();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(rule.isVisible()) << "neither in the copy nor over it";

    wheel(*overlay, 2);
    EXPECT_EQ(overlay->tolerance(), 60);
    wheel(*overlay, -10);
    EXPECT_EQ(overlay->tolerance(), 0);

    press(*overlay, QPoint(150, 200));
    release(*overlay, QPoint(150, 200));
    dragLeft(*overlay, QPoint(90, 90), {QPoint(200, 120), QPoint(310, 160)});
    ASSERT_EQ(overlay->pins().size(), 2);
    EXPECT_EQ(overlay->pins().at(0).device, QRect(0, 150, 1024, 618));
    EXPECT_EQ(overlay->pins().at(1).device, QRect(100, 100, 200, 50));

    storeImagesFolder("/gone");
    key(*overlay, Qt::Key_Return);
    EXPECT_EQ(messages.size(), 1);
    ASSERT_EQ(MeasureOverlay::loadedInstance(), overlay);
    key(*overlay, Qt::Key_Backspace);
    EXPECT_EQ(overlay->lastMeasurementText(), QString::fromUtf8("1024 × 618 px"));

    storeImagesFolder();
    key(*overlay, Qt::Key_Return);
    EXPECT_EQ(savedFiles().size(), 1);
    EXPECT_EQ(MeasureOverlay::loadedInstance(), nullptr);
    EXPECT_TRUE(rule.isVisible());
}
