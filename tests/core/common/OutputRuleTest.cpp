// Output goes where the user pointed it and nowhere else: links followed, their missing targets
// created, nothing under /dev or /proc created or renamed, the inputs and read-only files kept.
// Every case here writes only into its own temporary folder or into files it opened itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "core/common/FileIO.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;

ino_t Inode(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(OutputRule, ADanglingLinkHasItsTargetCreatedAndStaysALink) {
  test::TempDir dir;
  fs::create_directory(dir / "sub");
  fs::create_symlink("sub/target.csv", dir / "out.csv");
  const OutputPlan plan = PlanOutput(dir / "out.csv");
  EXPECT_EQ(plan.method, OutputMethod::kReplace);
  ASSERT_TRUE(WriteOutputFile(dir / "out.csv", "a,b\n").ok());
  EXPECT_TRUE(fs::is_symlink(dir / "out.csv"));
  EXPECT_EQ(test::ReadFile(dir / "sub" / "target.csv"), "a,b\n");
  // Through two links, and over the target once it exists.
  fs::create_symlink("out.csv", dir / "again.csv");
  ASSERT_TRUE(ReplaceFileAtomically(dir / "again.csv", "c\n").ok());
  EXPECT_TRUE(fs::is_symlink(dir / "again.csv"));
  EXPECT_EQ(test::ReadFile(dir / "sub" / "target.csv"), "c\n");

  // A target whose folder does not exist is refused, and nothing is made.
  fs::create_symlink("nowhere/target.csv", dir / "lost.csv");
  const OutputPlan lost = PlanOutput(dir / "lost.csv");
  EXPECT_EQ(lost.method, OutputMethod::kRefused);
  EXPECT_EQ(lost.reason, "the folder " + (dir / "nowhere").string() + " does not exist");
  EXPECT_FALSE(WriteOutputFile(dir / "lost.csv", "x").ok());
  EXPECT_TRUE(fs::is_symlink(dir / "lost.csv"));
  EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

TEST(OutputRule, AMissingFolderOrALoopIsRefusedBeforeAnythingIsWritten) {
  test::TempDir dir;
  const OutputPlan missing = PlanOutput(dir / "absent" / "out.csv");
  EXPECT_EQ(missing.method, OutputMethod::kRefused);
  EXPECT_NE(missing.reason.find("does not exist"), std::string::npos) << missing.reason;
  fs::create_symlink("b", dir / "a");
  fs::create_symlink("a", dir / "b");
  EXPECT_EQ(PlanOutput(dir / "a").method, OutputMethod::kRefused);

  const Result<> checked = CheckOutputTarget(dir / "absent" / "out.csv", {});
  ASSERT_FALSE(checked.ok());
  EXPECT_EQ(checked.message(), "Nothing can be written to " + (dir / "absent/out.csv").string() +
                                   " (the folder " + (dir / "absent").string() +
                                   " does not exist)\n");
}

TEST(OutputRule, NothingIsCreatedUnderDevOrProc) {
  // Only plans: they touch nothing, so these hold for root as for anyone.
  EXPECT_EQ(PlanOutput("/dev/null").method, OutputMethod::kInPlace);
  const OutputPlan absent = PlanOutput("/dev/plumora-absent-output.png");
  EXPECT_EQ(absent.method, OutputMethod::kRefused);
  EXPECT_EQ(absent.reason, "nothing is created under /dev or /proc");
  EXPECT_EQ(PlanOutput("/proc/plumora-absent-output").method, OutputMethod::kRefused);

  test::TempDir dir;
  // A closed descriptor behind a link, as /dev/stdout is once standard output is closed.
  const int closed = ::open(dir.path().c_str(), O_RDONLY);
  ASSERT_GE(closed, 0);
  ::close(closed);
  fs::create_symlink("/proc/self/fd/" + std::to_string(closed), dir / "stdout");
  EXPECT_EQ(PlanOutput(dir / "stdout").method, OutputMethod::kRefused);
  fs::create_symlink("/dev", dir / "devices");
  EXPECT_EQ(PlanOutput(dir / "devices" / "plumora-absent").method, OutputMethod::kRefused);
}

TEST(OutputRule, AFileReachedThroughProcIsWrittenInPlace) {
  test::TempDir dir;
  const fs::path file = dir / "held.csv";
  test::WriteFile(file, "a much longer earlier content\n");
  const ino_t before = Inode(file);
  const int fd = ::open(file.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  const fs::path through = "/proc/self/fd/" + std::to_string(fd);
  EXPECT_EQ(PlanOutput(through).method, OutputMethod::kInPlace);
  ASSERT_TRUE(WriteOutputFile(through, "new\n").ok());
  ::close(fd);
  EXPECT_EQ(Inode(file), before);  // the same file, not one renamed over it
  EXPECT_EQ(test::ReadFile(file), "new\n");
}

TEST(OutputRule, AFifoBehindALinkIsWrittenInPlace) {
  test::TempDir dir;
  const fs::path fifo = dir / "pipe";
  test::FifoReader reader(fifo);
  ASSERT_TRUE(reader.ok());
  fs::create_symlink("pipe", dir / "link.png");
  const Result<> written = WriteOutputFile(dir / "link.png", "png");
  const std::string received = reader.Received();
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_EQ(received, "png");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(dir / "link.png"));
}

TEST(OutputRule, TheInputsAndReadOnlyFilesAreKept) {
  test::TempDir dir;
  test::WriteFile(dir / "mars.atm", "table");
  fs::create_symlink("mars.atm", dir / "out.csv");
  const Result<> over = CheckOutputTarget(dir / "out.csv", {dir / "m.psd", dir / "mars.atm"});
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.message(), "The output " + (dir / "out.csv").string() + " is the input " +
                                (dir / "mars.atm").string() + " itself; nothing was done\n");
  test::WriteFile(dir / "kept.csv", "kept");
  fs::permissions(dir / "kept.csv", fs::perms::owner_read);
  fs::create_symlink("kept.csv", dir / "to-kept.csv");
  EXPECT_EQ(PlanOutput(dir / "to-kept.csv").reason, "the file is read-only");
  EXPECT_TRUE(CheckOutputTarget(dir / "new.csv", {dir / "mars.atm"}).ok());
}

}  // namespace
}  // namespace plumora
