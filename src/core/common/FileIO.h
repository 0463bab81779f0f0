// Whole-file reads and safe replacement of files, with the system's reason on failure.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plumora {

// The whole content of a file. False, with reason set (the system's words), when it cannot be
// opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& reason);

// Replaces the file at target with bytes, or leaves it exactly as it was. The bytes go to a
// temporary file in the target's folder, which is flushed to the disk and renamed over the target
// only once complete; on any failure the temporary is removed and false is returned with reason
// set. A target that is a symbolic link has the file it points to replaced; an existing target
// keeps its permissions.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           std::string& reason);

// Writes bytes where the user pointed: a device, pipe or socket (a terminal, /dev/stdout, a
// FIFO) is written in place, anything else is replaced atomically as above. False with reason
// set on any failure.
bool WriteOutputFile(const std::filesystem::path& target, std::string_view bytes,
                     std::string& reason);

}  // namespace plumora
