// Runs a program with arguments and collects what it printed and its exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plumora::test {

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs program with args (no shell involved) in folder workingFolder, stdin from /dev/null. Its
// standard output is collected in `out`, or goes to the file standardOutput when one is named.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingFolder = {},
                         const std::filesystem::path& standardOutput = {});

}  // namespace plumora::test
