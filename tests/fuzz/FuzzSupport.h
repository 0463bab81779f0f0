// What every fuzz target shares: a folder of its own for the life of the process, where the
// input is written as a file so that the real reader opens it as users' files are opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "support/TestFiles.h"

namespace plumora::fuzz {

// The process's scratch folder (made once).
const std::filesystem::path& Scratch();

// Writes the fuzzer's bytes to Scratch()/relative and returns the full path.
std::filesystem::path WriteInput(std::string_view relative, const std::uint8_t* data,
                                 std::size_t size);

}  // namespace plumora::fuzz
