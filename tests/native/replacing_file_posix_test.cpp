// Files that replace others only once written in full, on POSIX.

#include "batch/posix/replacing_file_posix.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class ReplacingFilePosix : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("quorvane-replace-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    target_ = folder_ / "results.txt";
  }
  void TearDown() override { fs::remove_all(folder_); }

  void writeTarget(const std::string& bytes) { std::ofstream(target_, std::ios::binary) << bytes; }
  std::string readTarget() const {
    std::ifstream file(target_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // Only the target may be left in the folder: no temporary file stays behind.
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
  fs::path target_;
};

TEST_F(ReplacingFilePosix, TheTargetChangesOnlyAtTheCommitAndKeepsItsPermissions) {
  writeTarget("old\r\n");
  chmod(target_.c_str(), 0640);
  auto file = createReplacingFile(target_.string());
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("new 1\r\n"));
  ASSERT_TRUE(file->write("new 2\r\n"));
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_TRUE(file->commit());
  file.reset();
  EXPECT_EQ(readTarget(), "new 1\r\nnew 2\r\n");
  EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ReplacingFilePosix, DroppedWithoutCommitLeavesTheTargetAndNoTemporaryFile) {
  writeTarget("old\r\n");
  createReplacingFile(target_.string())->write("never committed");
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_EQ(filesInFolder(), 1u);

  // A new target appears only at the commit.
  fs::remove(target_);
  createReplacingFile(target_.string())->write("never committed");
  EXPECT_FALSE(fs::exists(target_));
  EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(ReplacingFilePosix, AFailedWriteFailsTheCommitAndKeepsTheTarget) {
  writeTarget("old\r\n");
  auto file = createReplacingFile(target_.string());
  ASSERT_NE(file, nullptr);
  // A file size limit makes the write fail (EFBIG) as a full disk would.
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 4;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool written = file->write("more than four bytes");
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_FALSE(file->commit());
  file.reset();
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ReplacingFilePosix, NoFileInAFolderThatDoesNotExist) {
  EXPECT_EQ(createReplacingFile((folder_ / "missing" / "results.txt").string()), nullptr);
}

}  // namespace
}  // namespace quorvane
