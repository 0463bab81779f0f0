// Whole-file reads and output that never destroys what it should not, with the system's reason on
// failure.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
  kInPlace,  // a character device, FIFO, terminal or socket, or anything under /dev or /proc:
             // opened and written as it is
  kRefused,  // a folder, a block device, a read-only file, a name in a missing or read-only
             // folder, a new name under /dev or /proc, or a name that cannot be looked at
};
struct OutputPlan {
  OutputMethod method = OutputMethod::kRefused;
  std::string reason;          // why it is refused
  std::filesystem::path file;  // what is written: the name with its links followed
};
// Decides, without touching anything, how WriteOutputFile would write to target. Links are
// followed one by one, so that a link whose target is missing has its target created (when the
// target's folder exists), never the link replaced. A regular file that nobody may write is
// refused even for a user who could override its permissions: its owner made it read-only so
// that it stays as it is. Nothing under /dev or /proc is ever created or renamed.
OutputPlan PlanOutput(const std::filesystem::path& target);

// Writes bytes to target as PlanOutput decides. A kCannotWrite error with the reason when the
// target is refused or any open, write or close fails; a replaced file is then left as it was.
Result<> WriteOutputFile(const std::filesystem::path& target, std::string_view bytes);

// The output rule checked before any work: the output must not be any of the files the command
// reads (the same file, through links too) and must be writable as PlanOutput decides. On
// refusal a kCannotWrite error whose message reads "The output OUT is the input IN itself;
// nothing was done\n" or "Nothing can be written to OUT (REASON)\n".
Result<> CheckOutputTarget(const std::filesystem::path& output,
                           const std::vector<std::filesystem::path>& inputs);
// The first half of CheckOutputTarget: the output is none of the inputs.
Result<> CheckNotAnInput(const std::filesystem::path& output,
                         const std::vector<std::filesystem::path>& inputs);

// Writes every byte to an open descriptor (standard output, say); a kCannotWrite error with the
// system's reason when a write fails.
Result<> WriteDescriptor(int fd, std::string_view bytes);

// True when both names lead to the same existing file (through links too).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace plumora
