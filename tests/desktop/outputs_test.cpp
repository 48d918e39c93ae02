// What a designer takes away from the screen, with real input on a real X server: a panel's snap
// written as PNG and put on the clipboard, colours picked with Ctrl+8, and "View images folder"
// handing the folder to the file manager.
#include "harness.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

namespace vantor::desk {
namespace {

class OutputsTest : public DesktopTest {
protected:
    void SetUp() override { useImagesFolder(); }

    static QString settingsText() {
        QFile ini(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvane/vantorScreenTools.ini");
        return ini.open(QIODevice::ReadOnly) ? QString::fromUtf8(ini.readAll()) : QString();
    }
    static void addSettings(const QByteArray& lines) {
        QFile ini(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvane/vantorScreenTools.ini");
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write(lines);
    }
};

TEST_F(OutputsTest, ASnapGoesToAPngAndTheClipboardAndCtrl8CopiesColoursItRemembers) {
    addSettings("imageFormat=png\ncopyCapturesToClipboard=1\n");
    const WindowInfo panel = launchWithPanelOverPattern();
    const QImage saved = snap(panel, 1);
    EXPECT_TRUE(savedFiles().front().endsWith(".png")) << savedFiles().front();
    EXPECT_EQ(saved, m_underPanel);
    const auto pasted = [] {
        Process paste({"xclip", "-o", "-selection", "clipboard", "-t", "image/png"});
        paste.waitForExit();
        return QImage::fromData(QByteArray::fromStdString(paste.stdoutText()))
            .convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(pasted(), saved);
    // Another program takes the clipboard over; the next capture takes it back.
    Process other({"sh", "-c", "printf other | xclip -selection clipboard -i"});
    other.waitForExit();
    ASSERT_TRUE(waitFor([] { return clipboardText() == "other"; }));
    EXPECT_EQ(snap(panel, 2), saved);
    EXPECT_TRUE(waitFor([&] { return pasted() == saved; }));

    // Beside the panel, which lies on the pattern's magenta pixel at 41, 31.
    const QPoint pattern = windowRect(panel.id).topLeft() - QPoint(41, 31);
    for (const auto& pick : {std::pair{QPoint(25, 25), "#FF0000"}, {{320, 330}, "#00FF00"}}) {
        const QString hex = QString::fromLatin1(pick.second);
        moveMouse(pattern + pick.first);
        key("Control_L+8");
        EXPECT_TRUE(waitFor([&] { return clipboardText() == hex; })) << clipboardText();
    }
    EXPECT_TRUE(waitFor([] { return settingsText().contains("colourHistory=#00FF00 #FF0000"); }))
        << settingsText();
}

TEST_F(OutputsTest, ViewImagesFolderHandsTheImagesFolderToTheFileManager) {
    // A stand-in file manager: xdg-open, first on PATH, writes down what it was asked to open.
    const QTemporaryDir bin;
    const QString log = bin.filePath("opened");
    QFile opener(bin.filePath("xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(("#!/bin/sh\necho \"$1\" >> '" + log + "'\n").toUtf8());
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::vector<std::string> env = English;
    env.push_back("PATH=" + bin.path().toStdString() + ":" + qgetenv("PATH").toStdString());
    launchDocked(env);
    openTrayMenu();
    for (int i = 0; i < Options; ++i)
        key("Down");
    key("Right Return");
    const auto opened = [&] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    };
    EXPECT_TRUE(waitFor([&] { return opened() == "file://" + images(); })) << opened();
}

} // namespace
} // namespace vantor::desk
