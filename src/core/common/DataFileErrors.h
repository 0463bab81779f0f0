// How the data file readers report a file they refuse: the message to show, naming the file and
// the line where the trouble stands.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/common/Result.h"

namespace plumora {

// "The <kind> file <path> <problem> (line <line>)\n".
std::string DataFileMessage(std::string_view kind, const std::filesystem::path& path,
                            std::string_view problem, int line);
// The same as a refusal of a malformed file.
Error DataFileError(std::string_view kind, const std::filesystem::path& path,
                    std::string_view problem, int line);

}  // namespace plumora
