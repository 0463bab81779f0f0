// Starting the desktop program: its command line on a terminal without a display, --base, and
// what a failed start shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QSplashScreen>
#include <cstdlib>
#include <filesystem>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "gui/app/CPlumoraApp.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

// The program run as from a terminal without any display.
test::ProcessResult RunWithoutDisplay(const fs::path& folder,
                                      const std::vector<std::string>& args) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("QT_QPA_PLATFORM");
  const test::ProcessResult r = test::RunProcess(PLUMORA_PROGRAM, args, folder);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return r;
}

TEST(StartupCommandLineSmokeTest, HelpVersionAndBadUsageNeedNoDisplay) {
  test::TempDir folder;
  const test::ProcessResult help = RunWithoutDisplay(folder.path(), {"--help"});
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out.rfind("Usage: plumora ", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");

  const test::ProcessResult version = RunWithoutDisplay(folder.path(), {"--version"});
  EXPECT_EQ(version.status, 0) << version.err;
  const test::ProcessResult cliVersion = test::RunProcess(PLUMORA_CLI_PROGRAM, {"--version"});
  EXPECT_EQ(cliVersion.status, 0) << cliVersion.err;
  EXPECT_EQ("plumora-cli " + version.out.substr(version.out.find(' ') + 1), cliVersion.out);
  EXPECT_EQ(version.out.rfind("plumora ", 0), 0u) << version.out;

  const test::ProcessResult bogus = RunWithoutDisplay(folder.path(), {"--bogus", "m.psd"});
  EXPECT_EQ(bogus.status, 2);
  EXPECT_EQ(bogus.out, "");
  EXPECT_EQ(bogus.err.rfind("error: unknown option --bogus\n", 0), 0u) << bogus.err;
  EXPECT_NE(bogus.err.find("Usage: plumora "), std::string::npos);

  // The picture's name is never the next option: help, and no file named "--help".
  const test::ProcessResult picture = RunWithoutDisplay(folder.path(), {"--snapshot", "--help"});
  EXPECT_EQ(picture.status, 0) << picture.err;
  EXPECT_EQ(picture.out.rfind("Usage: plumora ", 0), 0u);
  const test::ProcessResult sized =
      RunWithoutDisplay(folder.path(), {"--snapshot", "--size", "10x10"});
  EXPECT_EQ(sized.status, 2);
  EXPECT_EQ(sized.err, "error: --snapshot needs a value\n");
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(StartupCommandLineSmokeTest, BaseNamesTheDataFolderWhereverTheProgramStarts) {
  test::TempDir data;
  smoke::CopyBundledTables(data.path());
  smoke::WriteStartupPictures(data.path());
  test::TempDir elsewhere;
  const std::string mission = (test::DataFolder() / "examples" / "earth-return.psd").string();
  const fs::path out = elsewhere / "track.png";

  const test::ProcessResult based = smoke::RunSnapshot(
      elsewhere.path(), {out.string(), "--base", data.path().string(), "--mode", "track", mission});
  EXPECT_EQ(based.status, 0) << based.err;
  EXPECT_TRUE(fs::is_regular_file(out));

  // Without it, the folder it starts in has no data (and a build is not installed).
  const test::ProcessResult unbased =
      smoke::RunSnapshot(elsewhere.path(), {(elsewhere / "other.png").string(), mission});
  EXPECT_EQ(unbased.status, 1);
  EXPECT_FALSE(fs::exists(elsewhere / "other.png"));
}

// The splash of a start that fails, and where the message shows.
class FailedStartTest : public smoke::DesktopFolderTest {
 protected:
  // Starts with the real message boxes and notes what the screen shows when the first opens.
  void Start(const QStringList& missions) {
    smoke::DialogAnswer answer([this](QDialog& box) {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        splashShown |= qobject_cast<QSplashScreen*>(w) && w->isVisible();
      }
      boxFrame = box.frameGeometry();
      box.accept();
    });
    CPlumoraApp app;
    EXPECT_FALSE(app.InitInstance(missions, {true, true}));
    EXPECT_TRUE(answer.seen);
  }

  void ExpectCentredWithoutSplash() {
    EXPECT_FALSE(splashShown);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((boxFrame.center() - screen.center()).manhattanLength(), 2)
        << "box at " << boxFrame.x() << "," << boxFrame.y() << " size " << boxFrame.width() << "x"
        << boxFrame.height();
  }

  bool splashShown = false;
  QRect boxFrame;
};

TEST_F(FailedStartTest, AMissionThatCannotBeRead) {
  Start({"missing.psd"});
  ExpectCentredWithoutSplash();
}

TEST_F(FailedStartTest, AStartupPictureThatIsMissing) {
  fs::remove(base / "graphics" / "zoom.bmp");
  Start({});
  ExpectCentredWithoutSplash();
}

}  // namespace
}  // namespace plumora::gui
