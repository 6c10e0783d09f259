// quorvane-batch.exe as a console user runs it, on what differs from the
// native program: arguments from the wide command line, standard streams as
// Windows handles (a pipe for input, files for output), GBK and UTF-8 output
// bytes, and the WinINet fetch against the stand-in service.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "main_window_fixture.h"
#include "tracking/status_text.h"

namespace quorvane::test {
namespace {

struct ToolRun {
  long exitCode = -1;
  std::string out;
  std::string err;
};

std::wstring batchToolPath() {
  std::wstring path = gbkToWide(QUORVANE_BATCH_EXE_PATH);
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return L"Z:" + path;  // the Unix path of the build, through Wine's Z: drive
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

HANDLE inheritableFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

class BatchToolExe : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(dir / "infor.ini", kCourierList); }
  void TearDown() override {
    // Wine may close the ended program's handles on the files a moment later; what stays is in a throwaway prefix.
    std::error_code ignored;
    for (int attempt = 0; attempt < 20 && std::filesystem::remove_all(dir, ignored) == static_cast<std::uintmax_t>(-1);
         ++attempt) {
      Sleep(50);
    }
  }

  // Runs the program with these arguments, the input through a pipe on standard input.
  ToolRun run(const std::wstring& args, std::string_view input) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE inputRead = nullptr;
    HANDLE inputWrite = nullptr;
    EXPECT_TRUE(CreatePipe(&inputRead, &inputWrite, &inherit, 0));
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
    HANDLE out = inheritableFile(dir / "stdout");
    HANDLE err = inheritableFile(dir / "stderr");

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + batchToolPath() + L"\" " + args;
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        dir.wstring().c_str(), &startup, &process);
    CloseHandle(inputRead);
    CloseHandle(out);
    CloseHandle(err);
    ToolRun result;
    if (started) {
      DWORD written = 0;
      WriteFile(inputWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
      CloseHandle(inputWrite);
      if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = static_cast<long>(code);
      } else {
        TerminateProcess(process.hProcess, 99);
      }
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    } else {
      CloseHandle(inputWrite);
      ADD_FAILURE() << "cannot start the program, error " << GetLastError();
    }
    result.out = readFile(dir / "stdout");
    result.err = readFile(dir / "stderr");
    return result;
  }

  std::filesystem::path dir = freshTempDirectory("batch-tool");
};

const std::string kScanned(status::kScanned);
const std::string kBadNumber(status::kBadNumber);

TEST_F(BatchToolExe, CourierNamedOnTheWideCommandLineAndGbkLinesOut) {
  const ToolRun result = run(L"-q -l infor.ini -c 迅捷快递", "XJ1000000001 x\r\nAB12\r\n\r\n 1\n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "XJ1000000001  " + kScanned + "\r\nAB12  " + kBadNumber + "\r\n  " + kBadNumber + "\r\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(BatchToolExe, Utf8InputAndOutput) {
  const ToolRun result = run(L"-q --code xjkd --utf8", "\xE6\x9F\xA5\xE8\xAF\xA2\r\nXJ1000000001\n");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "\xE6\x9F\xA5\xE8\xAF\xA2  \xE5\x8D\x95\xE5\x8F\xB7\xE4\xB8\x8D\xE6\xAD\xA3\xE7\xA1\xAE\n"
            "XJ1000000001  \xE5\xB7\xB2\xE6\x89\xAB\xE6\x8F\x8F\n");
}

TEST_F(BatchToolExe, FilesWithChineseNamesInAndOut) {
  writeFile(dir / L"单号.txt", "XJ1000000001\r\n");
  writeFile(dir / L"结果.txt", "old\r\n");
  const ToolRun result = run(L"-q --code xjkd --history -o 结果.txt 单号.txt", "");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  const std::string written = readFile(dir / L"结果.txt");
  EXPECT_EQ(written.substr(0, written.find("\r\n  2024-11-08 12:29:38\r\n")), "XJ1000000001  " + kScanned) << written;
}

TEST_F(BatchToolExe, UnknownCourierIsNamedInGbkOnStandardError) {
  const ToolRun result = run(L"-q -l infor.ini -c 无此快递", "XJ1000000001\r\n");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("no courier named \"无此快递\""), std::string::npos) << result.err;
}

TEST_F(BatchToolExe, AFailedQuerySetsExitStatusOne) {
  const ToolRun result = run(L"-q --code fault-empty-reply", "XJ1000000001\r\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "XJ1000000001  " + std::string(status::kQueryFailed) + "\r\n");
}

}  // namespace
}  // namespace quorvane::test
