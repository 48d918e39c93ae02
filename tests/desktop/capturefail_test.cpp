// Snaps that cannot be written: the images folder on a read-only file system, or on one too full
// for the file. The user is told why, no file or part of one is left, and the numbering goes on
// as if the failed snap had never been. Real input on a real X server; mounting needs root.
#include "paneltest.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

namespace vantor::desk {
namespace {

// A tmpfs mounted on a folder for the length of a test, unmounted however the test ends.
class TmpfsMount {
public:
    TmpfsMount(const QString& folder, const std::string& options) : m_folder(folder) {
        Process mount({"mount", "-t", "tmpfs", "-o", options, "tmpfs", folder.toStdString()});
        m_mounted = mount.waitForExit(10s) == 0;
    }
    ~TmpfsMount() { unmount(); }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return m_mounted; }
    // Unmounts; a file system still busy is detached at once and let go when it is free.
    bool unmount() {
        if (!m_mounted)
            return true;
        Process umount({"umount", m_folder.toStdString()});
        if (umount.waitForExit(10s) != 0) {
            Process lazy({"umount", "-l", m_folder.toStdString()});
            if (lazy.waitForExit(10s) != 0)
                return false;
        }
        m_mounted = false;
        return true;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

class CaptureFailTest : public PanelTest {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "these tests mount small file systems and need root; run them as "
                            "root (CI does)";
        ASSERT_TRUE(images.isValid());
        folder = images.path() + QStringLiteral("/images");
        ASSERT_TRUE(QDir().mkpath(folder));
        setImagesFolder(folder);
    }

    // Snaps the panel with its button and expects the save to fail with the reason: the message
    // box is read and dismissed, and nothing is left in the images folder.
    void snapAndExpectFailure(const WindowInfo& panel, const QString& reason,
                              const std::string& name) {
        click(windowRect(panel.id).topLeft() + SnapButton);
        std::vector<WindowInfo> boxes;
        ASSERT_TRUE(waitFor([&] {
            boxes = windowsTitled("Save image");
            return boxes.size() == 1;
        })) << "no message box";
        // The box may still be drawing its text when it is first seen.
        QString text;
        waitFor([&] {
            text = ocr(screenshot(boxes.front().rect)).simplified();
            return text.contains(reason);
        });
        savePng(screenshot(boxes.front().rect), name);
        EXPECT_TRUE(text.contains("Invalid path for save image")) << text.toStdString();
        EXPECT_TRUE(text.contains(reason)) << text.toStdString();
        key("Return");
        EXPECT_TRUE(waitFor([&] { return windowsTitled("Save image").empty(); }));
        EXPECT_EQ(filesBelow(folder), QStringList());
    }

    // After the failure the folder takes files again: the next snap is still the first.
    void expectNextSnapIsTheFirst(const WindowInfo& panel) {
        click(windowRect(panel.id).topLeft() + SnapButton);
        ASSERT_TRUE(waitFor([&] { return bitmapsBelow(folder).size() == 1; }))
            << "no file after the folder was writable again";
        const QString name = QFileInfo(bitmapsBelow(folder).front()).fileName();
        EXPECT_TRUE(name.startsWith("01) capture.section.(473x277).")) << name.toStdString();
    }

    QTemporaryDir images;
    QString folder;
};

TEST_F(CaptureFailTest, ReadOnlyImagesFolderIsReportedAndKeepsTheNumber) {
    TmpfsMount readOnly(folder, "ro,size=1m");
    ASSERT_TRUE(readOnly.mounted()) << "cannot mount a read-only tmpfs";
    ASSERT_TRUE(startProgram()) << "the icon did not dock";
    const std::optional<WindowInfo> panel = addPanel();
    ASSERT_TRUE(panel) << "no panel came up";

    snapAndExpectFailure(*panel, "Read-only file system", "read-only-message");
    ASSERT_TRUE(readOnly.unmount());
    expectNextSnapIsTheFirst(*panel);
}

TEST_F(CaptureFailTest, FullImagesFolderLeavesNoPartialFileAndKeepsTheNumber) {
    // A panel's capture is a 473 x 277 bitmap of about 390 KB: far more than this holds.
    TmpfsMount full(folder, "size=64k");
    ASSERT_TRUE(full.mounted()) << "cannot mount a small tmpfs";
    ASSERT_TRUE(startProgram()) << "the icon did not dock";
    const std::optional<WindowInfo> panel = addPanel();
    ASSERT_TRUE(panel) << "no panel came up";

    snapAndExpectFailure(*panel, "No space left on device", "full-message");
    ASSERT_TRUE(full.unmount());
    expectNextSnapIsTheFirst(*panel);
}

} // namespace
} // namespace vantor::desk
