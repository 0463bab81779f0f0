// How the data file readers report a file they refuse: the message to show, naming the file and
// the line where the trouble stands.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plumora {

struct FileReadResult {
  bool ok = false;
  std::string message;  // set when !ok
};

// "The <kind> file <path> <problem> (line <line>)\n".
std::string DataFileMessage(std::string_view kind, const std::filesystem::path& path,
                            std::string_view problem, int line);

}  // namespace plumora
