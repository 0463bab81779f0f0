// Whole-file reads and output that never destroys what it should not, with the system's reason on
// failure.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/common/Result.h"

namespace plumora {

// The whole content of a file; when it cannot be opened or read, a kCannotOpen error whose message
// is the system's reason.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file at target with bytes, or leaves it exactly as it was. The bytes go to a
// temporary file in the target's folder, which is flushed to the disk and renamed over the target
// only once complete; on any failure the temporary is removed and a kCannotWrite error with the
// system's reason is returned. A target that is a symbolic link has the file it points to
// replaced; an existing target keeps its permissions.
Result<> ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// How output named by the user is written.
enum class OutputMethod {
  kReplace,  // a regular file or a new name: replaced atomically (ReplaceFileAtomically)
  kInPlace,  // a character device, FIFO, terminal or socket: opened and written as it is
  kRefused,  // a folder, a block device, a read-only file, or a name that cannot be looked at
};
struct OutputPlan {
  OutputMethod method = OutputMethod::kRefused;
  std::string reason;  // why it is refused
};
// Decides, without touching anything, how WriteOutputFile would write to target (following
// symbolic links). A regular file that nobody may write is refused even for a user who could
// override its permissions: its owner made it read-only so that it stays as it is.
OutputPlan PlanOutput(const std::filesystem::path& target);

// Writes bytes to target as PlanOutput decides. A kCannotWrite error with the reason when the
// target is refused or any open, write or close fails; a replaced file is then left as it was.
Result<> WriteOutputFile(const std::filesystem::path& target, std::string_view bytes);

// True when both names lead to the same existing file (through links too).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace plumora
