#include "core/common/FileIO.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

namespace plumora {

namespace {

constexpr int kTemporaryAttempts = 100;
constexpr std::size_t kReadChunk = 65536;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask
constexpr int kMostLinks = 40;         // as many links as the system itself follows in a name

namespace fs = std::filesystem;

std::string SystemReason(int error) {
  return std::strerror(error);
}

Error WriteFailure(std::string reason) {
  return Fail(ErrorCode::kCannotWrite, std::move(reason));
}

// Writes every byte, going on after partial writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A new, empty file beside target, named after it and hidden; -1 with errno on failure.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                             "." + std::to_string(counter++) + ".tmp";
    temporary = target.parent_path() / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes the rename itself durable; a folder that cannot be synced costs nothing but that.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Opens an existing file (no creation; a regular one, reached through /dev or /proc, emptied
// first) and writes bytes into it.
Result<> WriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
  struct stat info {};
  const bool regular = ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (regular ? O_TRUNC : 0));
  if (fd < 0) return WriteFailure(SystemReason(errno));
  int error = WriteAll(fd, bytes) ? 0 : errno;
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  if (error != 0) return WriteFailure(SystemReason(error));
  return {};
}

bool Writable(const struct stat& info, const std::filesystem::path& path) {
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  return (info.st_mode & kAnyWrite) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// A name with its links followed one by one, as far as a name of ours can be followed: a link
// under /dev or /proc (/dev/stdout, /proc/self/fd/1) is left to the system, which knows where it
// leads (a pipe has no name of its own).
struct FollowedName {
  fs::path file;        // the file the name leads to, existing or not
  bool exists = false;  // info holds what it is
  bool system = false;  // the name or a link on the way lies under /dev or /proc
  int error = 0;        // errno when the name cannot be followed
  struct stat info {};
};

bool InSystemArea(const fs::path& path) {
  if (path.empty()) return false;
  const fs::path normal = path.lexically_normal();
  auto part = normal.begin();
  if (part == normal.end() || *part != "/" || ++part == normal.end()) return false;
  return *part == "dev" || *part == "proc";
}

// The real folder a name lies in (links and "..", as the system resolves them), or empty.
fs::path CanonicalFolder(const fs::path& file) {
  std::error_code ec;
  fs::path folder = fs::canonical(file.parent_path().empty() ? "." : file.parent_path(), ec);
  return ec ? fs::path() : folder;
}

FollowedName FollowLinks(const fs::path& target) {
  FollowedName name;
  fs::path path = target;
  for (int hop = 0; hop <= kMostLinks; ++hop) {
    name.file = path;
    std::error_code ec;
    name.system = name.system || InSystemArea(fs::absolute(path, ec));
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
      if (errno != ENOENT) name.error = errno;
      return name;
    }
    if (!S_ISLNK(link.st_mode)) {
      name.exists = true;
      name.info = link;
      return name;
    }
    if (name.system) {
      if (::stat(path.c_str(), &name.info) == 0) {
        name.exists = true;
      } else if (errno != ENOENT) {
        name.error = errno;
      }
      return name;
    }
    std::vector<char> text(PATH_MAX + 1);
    const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
    if (n < 0 || static_cast<std::size_t>(n) >= text.size()) {
      name.error = n < 0 ? errno : ENAMETOOLONG;
      return name;
    }
    const fs::path next(std::string(text.data(), static_cast<std::size_t>(n)));
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  name.error = ELOOP;
  return name;
}

// Why a new file cannot be made in the folder of file, or empty when it can.
std::string FolderRefusal(const fs::path& file) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (errno == ENOENT) return "the folder " + folder.string() + " does not exist";
    return SystemReason(errno);
  }
  if (!S_ISDIR(info.st_mode)) return folder.string() + " is not a folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return "the folder " + folder.string() + " cannot be written (" + SystemReason(errno) + ")";
  }
  return {};
}

// Writes bytes to a temporary beside file and renames it over file once complete.
Result<> ReplaceAt(const fs::path& final, std::string_view bytes) {
  std::filesystem::path temporary;
  const int fd = CreateTemporary(final, temporary);
  if (fd < 0) return WriteFailure(SystemReason(errno));
  struct stat existing {};
  if (::stat(final.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);

  int error = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), final.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return WriteFailure(SystemReason(error));
  }
  SyncFolder(final.parent_path());
  return {};
}

}  // namespace

OutputPlan PlanOutput(const std::filesystem::path& target) {
  const FollowedName name = FollowLinks(target);
  const auto refused = [&](std::string reason) {
    return OutputPlan{OutputMethod::kRefused, std::move(reason), name.file};
  };
  if (name.error != 0) return refused(SystemReason(name.error));
  if (!name.exists) {
    if (name.system || InSystemArea(CanonicalFolder(name.file))) {
      return refused("nothing is created under /dev or /proc");
    }
    if (std::string why = FolderRefusal(name.file); !why.empty()) return refused(std::move(why));
    return {OutputMethod::kReplace, {}, name.file};
  }
  const mode_t mode = name.info.st_mode;
  if (S_ISDIR(mode)) return refused(SystemReason(EISDIR));
  if (S_ISBLK(mode)) return refused("it is a block device");
  if (!S_ISREG(mode) || name.system || InSystemArea(CanonicalFolder(name.file))) {
    return {OutputMethod::kInPlace, {}, name.file};
  }
  if (!Writable(name.info, name.file)) return refused("the file is read-only");
  if (std::string why = FolderRefusal(name.file); !why.empty()) return refused(std::move(why));
  return {OutputMethod::kReplace, {}, name.file};
}

Result<> WriteOutputFile(const std::filesystem::path& target, std::string_view bytes) {
  const OutputPlan plan = PlanOutput(target);
  switch (plan.method) {
    case OutputMethod::kReplace:
      return ReplaceAt(plan.file, bytes);
    case OutputMethod::kInPlace:
      return WriteInPlace(plan.file, bytes);
    case OutputMethod::kRefused:
      break;
  }
  return WriteFailure(plan.reason);
}

Result<> CheckNotAnInput(const std::filesystem::path& output,
                         const std::vector<std::filesystem::path>& inputs) {
  for (const fs::path& input : inputs) {
    if (IsSameFile(output, input)) {
      return WriteFailure("The output " + output.string() + " is the input " + input.string() +
                          " itself; nothing was done\n");
    }
  }
  return {};
}

Result<> CheckOutputTarget(const std::filesystem::path& output,
                           const std::vector<std::filesystem::path>& inputs) {
  if (Result<> apart = CheckNotAnInput(output, inputs); !apart) return apart;
  const OutputPlan plan = PlanOutput(output);
  if (plan.method != OutputMethod::kRefused) return {};
  return WriteFailure("Nothing can be written to " + output.string() + " (" + plan.reason + ")\n");
}

Result<> WriteDescriptor(int fd, std::string_view bytes) {
  if (!WriteAll(fd, bytes)) return WriteFailure(SystemReason(errno));
  return {};
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {
  }, second{};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(ErrorCode::kCannotOpen, SystemReason(errno));
  std::string bytes;
  char buffer[kReadChunk];
  int error = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (error != 0) return Fail(ErrorCode::kCannotOpen, SystemReason(error));
  return bytes;
}

Result<> ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  const FollowedName name = FollowLinks(target);
  if (name.error != 0) return WriteFailure(SystemReason(name.error));
  return ReplaceAt(name.file, bytes);
}

}  // namespace plumora
