// The Debian package of scripts/package as a user meets it: installed with apt-get, the program
// started from /usr/bin docks its icon and reads its skin from /usr/share without a word, and
// apt-get remove leaves none of its files behind. It installs into the machine, so it needs root
// and is skipped otherwise.
#include "harness.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace vantor::desk {
namespace {

namespace fs = std::filesystem;

class PackageTest : public DesktopTest {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "installing the package needs root; run it as root (CI does)";
        // A package left installed by an earlier run.
        run({"dpkg", "--purge", "vantor-screen-tools"});
    }
    void TearDown() override {
        DesktopTest::TearDown();
        if (!IsSkipped())
            run({"dpkg", "--purge", "vantor-screen-tools"});
    }

    // Runs the command and returns what it printed; throws when it fails.
    static std::string run(const std::vector<std::string>& argv) {
        Process command(argv, {"DEBIAN_FRONTEND=noninteractive"});
        if (command.waitForExit(300s) != 0)
            throw std::runtime_error(argv.front() + " failed: " + command.stderrText());
        return command.stdoutText();
    }
};

TEST_F(PackageTest, InstalledProgramDocksReadsItsSkinAndRemovalLeavesNothing) {
    const std::string built =
        run({"env", "VANTOR_BUILD_DIR=" VANTOR_BUILD_DIR, VANTOR_SCRIPTS_DIR "/package"});
    const std::string deb = built.substr(built.rfind('\n', built.size() - 2) + 1);
    ASSERT_TRUE(deb.ends_with("/vantor-screen-tools_" VANTOR_VERSION "_amd64.deb\n")) << built;
    run({"apt-get", "install", "-y", deb.substr(0, deb.size() - 1)});
    std::vector<fs::path> files;
    std::istringstream listed(run({"dpkg", "-L", "vantor-screen-tools"}));
    for (std::string line; std::getline(listed, line);)
        if (!fs::is_directory(line))
            files.emplace_back(line);
    ASSERT_GT(files.size(), 10u);

    setenv("VANTOR_PROGRAM", "/usr/bin/vantor-screen-tools", 1);
    launchDocked();
    addFromTray(AddRule, "frmRule");
    EXPECT_TRUE(holdsFor([&] { return m_program->stderrText().empty(); }, 1s))
        << m_program->stderrText();
    m_program->stop();

    run({"apt-get", "remove", "-y", "vantor-screen-tools"});
    for (const fs::path& file : files)
        EXPECT_FALSE(fs::exists(fs::symlink_status(file))) << file << " is left";
    EXPECT_FALSE(fs::exists("/usr/share/vantor-screen-tools"));
}

} // namespace
} // namespace vantor::desk
