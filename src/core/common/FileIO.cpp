#include "core/common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace plumora {

namespace {

constexpr int kTemporaryAttempts = 100;
constexpr std::size_t kReadChunk = 65536;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the user's umask

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

// Opens an existing non-regular file (no creation, no truncation) and writes bytes into it.
Result<> WriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
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

}  // namespace

OutputPlan PlanOutput(const std::filesystem::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    // A new name (or a link to one) is created; anything else that hides the file is refused.
    if (errno == ENOENT) return {OutputMethod::kReplace, {}};
    return {OutputMethod::kRefused, SystemReason(errno)};
  }
  if (S_ISREG(info.st_mode)) {
    if (!Writable(info, target)) return {OutputMethod::kRefused, "the file is read-only"};
    return {OutputMethod::kReplace, {}};
  }
  if (S_ISDIR(info.st_mode)) return {OutputMethod::kRefused, SystemReason(EISDIR)};
  if (S_ISBLK(info.st_mode)) return {OutputMethod::kRefused, "it is a block device"};
  return {OutputMethod::kInPlace, {}};
}

Result<> WriteOutputFile(const std::filesystem::path& target, std::string_view bytes) {
  const OutputPlan plan = PlanOutput(target);
  switch (plan.method) {
    case OutputMethod::kReplace:
      return ReplaceFileAtomically(target, bytes);
    case OutputMethod::kInPlace:
      return WriteInPlace(target, bytes);
    case OutputMethod::kRefused:
      break;
  }
  return WriteFailure(plan.reason);
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
  std::error_code ec;
  std::filesystem::path final = target;
  if (std::filesystem::is_symlink(target, ec)) {
    final = std::filesystem::weakly_canonical(target, ec);
    if (ec) final = target;
  }
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

}  // namespace plumora
