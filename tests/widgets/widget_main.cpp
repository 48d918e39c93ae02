#include "widgettest.h"

#include "core/appstate.h"
#include "core/formlist.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantor::test {

namespace {
FakeDesktop* fake = nullptr;
QList<QRegularExpression> expected;

void failOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform says so whenever a window asks for what only a real screen does.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    for (const QRegularExpression& pattern : std::as_const(expected))
        if (pattern.match(message).hasMatch())
            return;
    ADD_FAILURE() << "Unexpected Qt message: " << message.toStdString();
}

class CleanState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        fake = &installFakeDesktop();
        fake->screen = QImage(1920, 1080, QImage::Format_RGB32);
        fake->screen.fill(Qt::darkGray);
        appState() = AppState{};
        expected.clear();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { unloadAllForms(); }
};
} // namespace

FakeDesktop& fakeDesktop() {
    return *fake;
}

void expectWarning(const QRegularExpression& pattern) {
    expected.append(pattern);
}

void unloadAllForms() {
    for (QWidget* form : FormList::forms())
        FormList::unload(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vantor::test

int main(int argc, char* argv[]) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // One screen as large as the fake desktop's picture of it, as on the desktop tests' server.
    QFile screens(runtime.filePath(QStringLiteral("screens.json")));
    if (!screens.open(QIODevice::WriteOnly) ||
        screens.write(R"({"screens": [{"name": "fake", "x": 0, "y": 0, "width": 1920,
                      "height": 1080, "logicalDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qInstallMessageHandler(vantor::test::failOnWarnings);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new vantor::test::CleanState);
    return RUN_ALL_TESTS();
}
