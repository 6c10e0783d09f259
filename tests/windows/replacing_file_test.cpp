// Files that replace others only once written in full, on Windows.

#include "batch/win/replacing_file_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "text/win/unique_handle.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class ReplacingFileWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("quorvane-replace-" + std::to_string(GetCurrentProcessId()));
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
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  // The target held open by another program with the given sharing.
  UniqueHandle holdTarget(DWORD sharing) const {
    return UniqueHandle(
        CreateFileW(target_.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  fs::path folder_;
  fs::path target_;
};

TEST_F(ReplacingFileWindows, TheTargetChangesOnlyAtTheCommit) {
  writeTarget("old\r\n");
  auto file = createReplacingFile(target_.wstring());
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("new 1\r\n"));
  ASSERT_TRUE(file->write("new 2\r\n"));
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_TRUE(file->commit());
  file.reset();
  EXPECT_EQ(readTarget(), "new 1\r\nnew 2\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ReplacingFileWindows, DroppedWithoutCommitLeavesTheTargetAsItWasAndNoTemporaryFile) {
  writeTarget("old\r\n");
  createReplacingFile(target_.wstring())->write("never committed");
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_EQ(filesInFolder(), 1u);

  fs::remove(target_);
  createReplacingFile(target_.wstring())->write("never committed");
  EXPECT_FALSE(fs::exists(target_));
  EXPECT_EQ(filesInFolder(), 0u);
}

// An import holds its file open for reading and lets others only read it.
TEST_F(ReplacingFileWindows, AFileInUseWithoutWriteSharingCannotBeReplaced) {
  writeTarget("being imported\r\n");
  const UniqueHandle import = holdTarget(FILE_SHARE_READ);
  ASSERT_TRUE(import.valid());
  EXPECT_EQ(createReplacingFile(target_.wstring()), nullptr);
  EXPECT_EQ(readTarget(), "being imported\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

// A file that may be written but not removed meanwhile: the replacement fails
// at the last step, and nothing of the target is lost.
TEST_F(ReplacingFileWindows, AReplaceThatFailsAtTheEndKeepsTheTargetWhole) {
  writeTarget("old\r\n");
  auto file = createReplacingFile(target_.wstring());
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("new\r\n"));
  {
    const UniqueHandle reader = holdTarget(FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(reader.valid());
    EXPECT_FALSE(file->commit());
  }
  file.reset();
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

}  // namespace
}  // namespace quorvane
