// Runs the plumora-cli built with the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/RunProcess.h"

namespace plumora::test {

// plumora-cli with args, in folder cwd (the test's own working folder when empty), its standard
// output collected or sent to the file `out`.
inline ProcessResult Cli(const std::vector<std::string>& args,
                         const std::filesystem::path& cwd = {},
                         const std::filesystem::path& out = {}) {
  return RunProcess(PLUMORA_CLI_PATH, args, cwd, out);
}

}  // namespace plumora::test
