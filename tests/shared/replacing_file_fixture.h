#pragma once
// A fresh folder with a target file in it, for the tests of replacing files
// on either platform; createReplacingFile takes the platform's own path form.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#ifdef _WIN32
#include "batch/win/replacing_file_win.h"
#else
#include "batch/posix/replacing_file_posix.h"
#endif

namespace quorvane::test {

class ReplacingFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / (std::string("quorvane-replace-") + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    target_ = folder_ / "results.txt";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::unique_ptr<ReplacingFile> replaceTarget() const { return createReplacingFile(target_.native()); }
  void writeTarget(const std::string& bytes) const { std::ofstream(target_, std::ios::binary) << bytes; }
  std::string readTarget() const {
    std::ifstream file(target_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // What the folder holds: a temporary file left behind would show here.
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()));
  }

  std::filesystem::path folder_;
  std::filesystem::path target_;
};

}  // namespace quorvane::test
