// The programs as a user gets them, unpacked from the release zip: the window
// opens beside the example courier list, and each program's version
// information reads back with the version of the build.

#include <windows.h>

#include <gtest/gtest.h>
#include <array>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "running_program.h"

namespace quorvane::test {
namespace {

std::filesystem::path unpacked(const wchar_t* name) { return throughWine(QUORVANE_UNPACKED_DIR) / name; }

TEST(Release, TheUnpackedProgramOpensWithTheExampleCourierListAndEndsWithExitCodeZero) {
  expectOpensWithCouriersAndEndsWithExitCodeZero(unpacked(L"quorvane.exe"),
                                                 {"迅捷快递", "云达速运", "环宇物流", "青鸟快运"});
}

// One program's version resource, read as Explorer reads it.
class VersionInfo {
 public:
  explicit VersionInfo(const std::filesystem::path& file) {
    DWORD ignored = 0;
    data_.resize(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    loaded_ = !data_.empty() && GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data());
  }
  bool loaded() const { return loaded_; }

  const VS_FIXEDFILEINFO* fixed() const { return static_cast<const VS_FIXEDFILEINFO*>(query(L"\\").first); }

  // The (language, code page) pairs of the string blocks.
  std::vector<std::pair<WORD, WORD>> translations() const {
    const auto [data, size] = query(L"\\VarFileInfo\\Translation");
    std::vector<std::pair<WORD, WORD>> pairs;
    const auto* words = static_cast<const WORD*>(data);
    for (UINT i = 0; words && i + 1 < size / sizeof(WORD); i += 2) pairs.emplace_back(words[i], words[i + 1]);
    return pairs;
  }

  std::wstring text(std::pair<WORD, WORD> block, const wchar_t* name) const {
    wchar_t path[128];
    swprintf(path, 128, L"\\StringFileInfo\\%04X%04X\\%ls", block.first, block.second, name);
    const auto [data, size] = query(path);
    return data && size > 0 ? std::wstring(static_cast<const wchar_t*>(data), size - 1) : L"(none)";
  }

 private:
  std::pair<const void*, UINT> query(const wchar_t* path) const {
    void* data = nullptr;
    UINT size = 0;
    if (!loaded_ || !VerQueryValueW(data_.data(), path, &data, &size)) return {nullptr, 0};
    return {data, size};
  }
  std::vector<BYTE> data_;
  bool loaded_ = false;
};

// The build's version as the resource's four numbers; parts left out are 0.
std::array<WORD, 4> versionNumbers() {
  std::array<WORD, 4> numbers{};
  std::size_t part = 0;
  for (const char* c = QUORVANE_VERSION; *c && part < numbers.size(); ++c) {
    if (*c == '.') {
      ++part;
    } else {
      numbers[part] = static_cast<WORD>(numbers[part] * 10 + (*c - '0'));
    }
  }
  return numbers;
}

std::wstring widened(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

constexpr std::pair<WORD, WORD> kChinese{0x0804, 936};
constexpr std::pair<WORD, WORD> kEnglish{0x0409, 1200};

struct Program {
  const char* name;
  const wchar_t* file;
  const wchar_t* internalName;
  const wchar_t* descriptionChinese;
  const wchar_t* descriptionEnglish;
};

void PrintTo(const Program& program, std::ostream* out) { *out << program.name; }

class VersionResource : public ::testing::TestWithParam<Program> {};

TEST_P(VersionResource, ReadsBackWithTheBuildsVersionInAChineseAndAnEnglishBlock) {
  const Program& program = GetParam();
  const VersionInfo info(unpacked(program.file));
  ASSERT_TRUE(info.loaded());

  const VS_FIXEDFILEINFO* fixed = info.fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const auto n = versionNumbers();
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(n[1], n[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(n[3], n[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(n[1], n[0]));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(n[3], n[2]));

  using Block = std::pair<WORD, WORD>;
  EXPECT_EQ(info.translations(), (std::vector<Block>{kChinese, kEnglish}));
  const std::wstring version = widened(QUORVANE_VERSION);
  for (const auto& [block, description] :
       {std::pair{kChinese, program.descriptionChinese}, std::pair{kEnglish, program.descriptionEnglish}}) {
    SCOPED_TRACE(block.first);
    EXPECT_EQ(info.text(block, L"ProductName"), L"Quorvane");
    EXPECT_EQ(info.text(block, L"ProductVersion"), version);
    EXPECT_EQ(info.text(block, L"FileVersion"), version);
    EXPECT_EQ(info.text(block, L"FileDescription"), description);
    EXPECT_EQ(info.text(block, L"InternalName"), program.internalName);
    EXPECT_EQ(info.text(block, L"OriginalFilename"), program.file);
  }
}

INSTANTIATE_TEST_SUITE_P(Release, VersionResource,
                         ::testing::Values(Program{"Window", L"quorvane.exe", L"quorvane", L"Quorvane 快递单号查询",
                                                   L"Quorvane courier parcel tracking"},
                                           Program{"Batch", L"quorvane-batch.exe", L"quorvane-batch",
                                                   L"Quorvane 快递单号批量查询（命令行）",
                                                   L"Quorvane courier parcel tracking, batch command line"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::test
