// Files that replace others only once written in full: what both platforms share.

#include "shared/replacing_file_fixture.h"

namespace quorvane::test {
namespace {

using ReplacingFile = ReplacingFileTest;

TEST_F(ReplacingFile, TheTargetChangesOnlyAtTheCommit) {
  writeTarget("old\r\n");
  auto file = replaceTarget();
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("new 1\r\n"));
  ASSERT_TRUE(file->write("new 2\r\n"));
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_TRUE(file->commit());
  file.reset();
  EXPECT_EQ(readTarget(), "new 1\r\nnew 2\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ReplacingFile, DroppedWithoutCommitLeavesTheTargetAsItWasAndNoTemporaryFile) {
  writeTarget("old\r\n");
  replaceTarget()->write("never committed");
  EXPECT_EQ(readTarget(), "old\r\n");
  EXPECT_EQ(filesInFolder(), 1u);

  // A new target appears only at the commit.
  std::filesystem::remove(target_);
  replaceTarget()->write("never committed");
  EXPECT_FALSE(std::filesystem::exists(target_));
  EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(ReplacingFile, NoFileInAFolderThatDoesNotExist) {
  target_ = folder_ / "missing" / "results.txt";
  EXPECT_EQ(replaceTarget(), nullptr);
}

}  // namespace
}  // namespace quorvane::test
