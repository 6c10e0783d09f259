// Replacing files on Windows: targets held open by other programs.

#include <windows.h>

#include "shared/replacing_file_fixture.h"
#include "text/win/unique_handle.h"

namespace quorvane::test {
namespace {

class ReplacingFileWindows : public ReplacingFileTest {
 protected:
  // The target held open by another program with the given sharing.
  UniqueHandle holdTarget(DWORD sharing) const {
    return UniqueHandle(
        CreateFileW(target_.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
};

// An import holds its file open for reading and lets others only read it.
TEST_F(ReplacingFileWindows, AFileInUseWithoutWriteSharingCannotBeReplaced) {
  writeTarget("being imported\r\n");
  const UniqueHandle import = holdTarget(FILE_SHARE_READ);
  ASSERT_TRUE(import.valid());
  EXPECT_EQ(replaceTarget(), nullptr);
  EXPECT_EQ(readTarget(), "being imported\r\n");
  EXPECT_EQ(filesInFolder(), 1u);
}

// A file that may be written but not removed meanwhile: the replacement fails
// at the last step, and nothing of the target is lost.
TEST_F(ReplacingFileWindows, AReplaceThatFailsAtTheEndKeepsTheTargetWhole) {
  writeTarget("old\r\n");
  auto file = replaceTarget();
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
}  // namespace quorvane::test
