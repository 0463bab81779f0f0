#include "DesktopFolder.h"

#include <cstdlib>
#include <string_view>

#include "Pictures.h"
#include "gui/logic/snapshot/StartupBitmaps.h"
#include "support/TestFiles.h"

namespace plumora::gui::smoke {

namespace fs = std::filesystem;

void CopyBundledTables(const fs::path& base) {
  fs::copy(test::DataFolder() / "atm", base / "atm", fs::copy_options::recursive);
  fs::copy(test::DataFolder() / "adf", base / "adf", fs::copy_options::recursive);
}

void WriteStartupPictures(const fs::path& base) {
  const std::string picture = tools::BmpBytes(tools::ZoomMark(16));
  for (std::string_view name : kStartupPictureFiles) {
    test::WriteFile(base / "graphics" / std::string(name), picture);
  }
}

test::ProcessResult RunSnapshot(const fs::path& folder, std::vector<std::string> arguments,
                                const fs::path& standardOutput) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("QT_QPA_PLATFORM");
  arguments.insert(arguments.begin(), "--snapshot");
  const test::ProcessResult r =
      test::RunProcess(PLUMORA_PROGRAM, arguments, folder, standardOutput);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return r;
}

}  // namespace plumora::gui::smoke
