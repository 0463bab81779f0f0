// What the desktop smoke tests share: a base folder laid out as the program expects it, and the
// program run headless the way a script runs it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui::smoke {

// Copies the bundled atmosphere and aerodynamic tables into base/atm and base/adf.
void CopyBundledTables(const std::filesystem::path& base);
// Writes every start-up picture as a small 24-bit bitmap into base/graphics.
void WriteStartupPictures(const std::filesystem::path& base);

// A base folder holding the bundled tables and the start-up pictures, the working folder while
// the test runs.
class DesktopFolderTest : public ::testing::Test {
 protected:
  DesktopFolderTest() {
    CopyBundledTables(base.path());
    WriteStartupPictures(base.path());
  }
  test::TempDir base;

 private:
  test::WorkingFolder inBase_{base.path()};
};

// plumora --snapshot ARGUMENTS in `folder`, as a script runs it: no display, no platform chosen;
// its standard output collected, or sent to the file standardOutput when one is named.
test::ProcessResult RunSnapshot(const std::filesystem::path& folder,
                                std::vector<std::string> arguments,
                                const std::filesystem::path& standardOutput = {});

}  // namespace plumora::gui::smoke
