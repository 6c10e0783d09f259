// Replacing files on POSIX: permissions and a failing write.

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "shared/replacing_file_fixture.h"

namespace quorvane::test {
namespace {

using ReplacingFilePosix = ReplacingFileTest;

TEST_F(ReplacingFilePosix, AReplacedFileKeepsItsPermissions) {
  writeTarget("old\r\n");
  chmod(target_.c_str(), 0640);
  auto file = replaceTarget();
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("new\r\n"));
  ASSERT_TRUE(file->commit());
  EXPECT_EQ(
      std::filesystem::status(target_).permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
}

TEST_F(ReplacingFilePosix, AFailedWriteFailsTheCommitAndKeepsTheTarget) {
  writeTarget("old\r\n");
  auto file = replaceTarget();
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

}  // namespace
}  // namespace quorvane::test
