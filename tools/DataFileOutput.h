// What the generators share when they write a data file for the simulator's readers.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "core/common/Constants.h"

namespace plumora::tools {

// The readers skip free-text lines with a bounded read: a line that does not fit in it would
// shift every line after it.
inline bool FitsOnALine(const std::string& text) {
  return text.size() < static_cast<std::size_t>(kLineReadLimit) &&
         text.find_first_of("\r\n") == std::string::npos;
}

// Writes path with `body` unless `problem` names why the table does not fit its layout. False
// (with a message on stderr) on a problem or when the file cannot be written completely.
bool WriteDataFile(const std::string& path, const std::string& problem,
                   const std::function<void(std::FILE*)>& body);

}  // namespace plumora::tools
