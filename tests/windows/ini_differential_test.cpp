// Our INI reader against the platform's GetPrivateProfileStringA, case by case:
// each file of the shared table is written out and read back both ways.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "couriers/ini_file.h"
#include "main_window_fixture.h"
#include "shared/ini_cases.h"

namespace quorvane::test {
namespace {

TEST(IniDifferential, OurReaderAgreesWithThePlatform) {
  // The platform decodes INI files with the ANSI code page: only under 936 is it byte-exact.
  if (GetACP() != 936) GTEST_SKIP() << "ANSI code page " << GetACP() << ", not 936";
  const auto dir = freshTempDirectory("ini");
  int index = 0;
  for (const IniCase& c : kIniCases) {
    SCOPED_TRACE(c.name);
    // A file of its own per case: the platform caches what it has read.
    const auto path = dir / ("case" + std::to_string(index++) + ".ini");
    writeFile(path, c.fileBytes);
    std::vector<char> buffer(c.bufferSize, '\0');  // zero-filled: a cut character leaves a byte untouched
    const DWORD length = GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.string().c_str());
    const std::string platform(buffer.data(), std::min<std::size_t>(length, buffer.size()));
    EXPECT_EQ(readProfileString(c.fileBytes, c.section, c.key, c.defaultValue, c.bufferSize),
              std::string(buffer.data()))
        << "platform returned " << length << " bytes: " << platform;
  }
}

}  // namespace
}  // namespace quorvane::test
