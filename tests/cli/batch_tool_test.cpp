// quorvane-batch as a user runs it: the real program against the stand-in
// service (or a recording server), its output bytes and its exit status.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "child_process.h"
#include "recording_server.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;

struct ToolRun {
  std::optional<int> exitStatus;
  std::string out;
  std::string err;
};

// A folder of its own for each test, with the demo courier list (GBK) in it.
class BatchTool : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("quorvane-batch-test-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    test::writeFile(path("infor.ini"), "[Number]\r\n1=\xD1\xB8\xBD\xDD\xBF\xEC\xB5\xDD-xjkd\r\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs the tool to its end with the input on standard input.
  ToolRun run(std::vector<std::string> args, std::string_view input = {}) {
    test::writeFile(path("stdin"), input);
    args.insert(args.begin(), QUORVANE_BATCH_EXE);
    ChildProcess tool(args, {.in = path("stdin"), .out = path("stdout"), .err = path("stderr")});
    ToolRun result;
    result.exitStatus = tool.wait();
    result.out = test::readFile(path("stdout"));
    result.err = test::readFile(path("stderr"));
    return result;
  }

  static test::ServiceProcess& service() {
    static test::ServiceProcess shared;
    return shared;
  }

  std::vector<std::string> known(std::vector<std::string> more = {}) const {
    std::vector<std::string> args = {"--host", service().host(), "--code", "xjkd", "-q"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }

 private:
  fs::path dir_;
};

// GBK bytes of the statuses, as the window writes them.
const std::string kScanned = "\xD2\xD1\xC9\xA8\xC3\xE8";                                // 已扫描
const std::string kNoInformation = "\xD4\xDD\xCE\xDE\xCE\xEF\xC1\xF7\xD0\xC5\xCF\xA2";  // 暂无物流信息
const std::string kBadNumber = "\xB5\xA5\xBA\xC5\xB2\xBB\xD5\xFD\xC8\xB7";              // 单号不正确
const std::string kQueryFailed = "\xB2\xE9\xD1\xAF\xCA\xA7\xB0\xDC";                    // 查询失败

// The lines of a file as the window's import reads them: CR LF and LF ends, a
// line of no bytes skipped, a line that begins with a space an empty number,
// the text after the first space dropped, SUB the end of the text.
const std::string kImportFile =
    "XJ1000000001 first parcel\r\n"
    "\r\n"
    " XJ1000000002\r\n"
    "AB12\n"
    "XJ1000000003\tx\n"
    "\xB2\xE9\xD1\xAF\r\n"
    "XJ9999999999\x1A"
    "XJ1000000004\n";
const std::string kExportedLines = "XJ1000000001  " + kScanned + "\r\n" +  //
                                   "  " + kBadNumber + "\r\n" +            //
                                   "AB12  " + kBadNumber + "\r\n" +        //
                                   "XJ1000000003\tx  " + kBadNumber + "\r\n" + "\xB2\xE9\xD1\xAF  " + kBadNumber +
                                   "\r\n" +  //
                                   "XJ9999999999  " + kNoInformation + "\r\n";

TEST_F(BatchTool, ImportLineRulesFromAFileStandardInputOrBoth) {
  test::writeFile(path("numbers.txt"), kImportFile);
  const ToolRun fromFile = run(known({path("numbers.txt")}));
  EXPECT_EQ(fromFile.exitStatus, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, kExportedLines);
  EXPECT_EQ(fromFile.err, "");

  EXPECT_EQ(run(known()).out, "") << "standard input, empty";
  EXPECT_EQ(run(known(), kImportFile).out, kExportedLines);
  EXPECT_EQ(run(known({path("numbers.txt"), "-"}), "XJ1000000005").out,
            kExportedLines + "XJ1000000005  " + kScanned + "\r\n");
}

TEST_F(BatchTool, Utf8InputAndOutput) {
  // A byte order mark is dropped; 查询 comes back as it went in; LF ends the lines.
  const ToolRun utf8 =
      run(known({"--utf8"}), "\xEF\xBB\xBFXJ1000000001\r\n\xE6\x9F\xA5\xE8\xAF\xA2\n\xF0\x9F\x93\xA6\n");
  EXPECT_EQ(utf8.exitStatus, 0) << utf8.err;
  EXPECT_EQ(utf8.out,
            "XJ1000000001  \xE5\xB7\xB2\xE6\x89\xAB\xE6\x8F\x8F\n"
            "\xE6\x9F\xA5\xE8\xAF\xA2  \xE5\x8D\x95\xE5\x8F\xB7\xE4\xB8\x8D\xE6\xAD\xA3\xE7\xA1\xAE\n"
            "?  \xE5\x8D\x95\xE5\x8F\xB7\xE4\xB8\x8D\xE6\xAD\xA3\xE7\xA1\xAE\n");
}

TEST_F(BatchTool, HistoryLinesFollowTheirResultLine) {
  const ToolRun gbk = run(known({"--history"}), "XJ1000000001\nAB12\nXJ1000000005\n");
  EXPECT_EQ(gbk.exitStatus, 0) << gbk.err;
  // Newest first, as the page lists them; each entry its time, then its text.
  const std::string expectedStart = "XJ1000000001  " + kScanned + "\r\n" +
                                    "  2024-11-08 12:29:38\r\n"
                                    "  \xA1\xBE\xB3\xC9\xB6\xBC\xCA\xD0\xA1\xBF";  // 【成都市】
  EXPECT_TRUE(gbk.out.starts_with(expectedStart)) << gbk.out;
  EXPECT_NE(gbk.out.find("\r\nAB12  " + kBadNumber + "\r\nXJ1000000005  " + kScanned + "\r\n  2024-"),
            std::string::npos)
      << gbk.out;
  std::size_t lines = 0;
  for (std::size_t at = gbk.out.find("\r\n  20"); at != std::string::npos; at = gbk.out.find("\r\n  20", at + 1)) {
    ++lines;
  }
  EXPECT_GE(lines, 9u) << "eight entries of XJ1000000001 and those of XJ1000000005";

  const ToolRun utf8 = run(known({"--history", "--utf8"}), "XJ1000000001\n");
  EXPECT_TRUE(
      utf8.out.starts_with("XJ1000000001  \xE5\xB7\xB2\xE6\x89\xAB\xE6\x8F\x8F\n"
                           "  2024-11-08 12:29:38\n"
                           "  \xE3\x80\x90\xE6\x88\x90\xE9\x83\xBD\xE5\xB8\x82\xE3\x80\x91"))
      << utf8.out;
}

TEST_F(BatchTool, CourierChosenByItsNameInTheList) {
  const std::vector<std::string> args = {"--host",
                                         service().host(),
                                         "-q",
                                         "-l",
                                         path("infor.ini"),
                                         "-c",
                                         "\xE8\xBF\x85\xE6\x8D\xB7\xE5\xBF\xAB\xE9\x80\x92"};  // 迅捷快递, UTF-8
  const ToolRun byName = run(args, "XJ1000000001\n");
  EXPECT_EQ(byName.exitStatus, 0) << byName.err;
  EXPECT_EQ(byName.out, "XJ1000000001  " + kScanned + "\r\n");
}

TEST_F(BatchTool, EachExitStatusWithItsMessage) {
  test::writeFile(path("numbers.txt"), "XJ1000000001\n");
  fs::create_directories(path("folder"));
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int exitStatus;
    std::string message;  // a part of standard error
  } const cases[] = {
      {"every number answered", known({path("numbers.txt")}), 0, ""},
      {"a query failed", {"--host", service().host(), "--code", "fault-empty-reply", path("numbers.txt")}, 1, ""},
      {"unknown option", {"--frobnicate"}, 2, "unknown option --frobnicate"},
      {"no courier", {path("numbers.txt")}, 2, "no courier: give --courier NAME or --code CODE"},
      {"both courier and code", {"-c", "x", "--code", "y"}, 2, "give either --courier or --code"},
      {"interval not a number", {"--code", "xjkd", "-i", "soon"}, 2, "--interval wants seconds"},
      {"negative interval", {"--code", "xjkd", "--interval=-1"}, 2, "--interval wants seconds"},
      {"host with a path", {"--code", "xjkd", "--host", "a/b"}, 2, "--host wants HOST or HOST:PORT"},
      {"option without its value", {"--code"}, 2, "--code wants a value"},
      {"unknown courier", {"-l", path("infor.ini"), "-c", "nobody"}, 2, "no courier named \"nobody\" in "},
      {"unreadable courier list", {"-l", path("missing.ini"), "-c", "x"}, 2, "cannot read the courier list "},
      {"missing input file", known({path("missing.txt")}), 2, "cannot read " + path("missing.txt")},
      {"a folder as input", known({path("folder")}), 2, "cannot read " + path("folder")},
      {"unwritable output", known({"-o", path("no/such/folder/out.txt"), path("numbers.txt")}), 2,
       "cannot write " + path("no/such/folder/out.txt")},
      {"a folder as output", known({"--output=" + path("folder"), path("numbers.txt")}), 2,
       "cannot write " + path("folder")},
  };
  for (const Case& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    const ToolRun result = run(testCase.args);
    EXPECT_EQ(result.exitStatus, testCase.exitStatus);
    if (testCase.message.empty()) {
      EXPECT_EQ(result.err, "");
    } else {
      EXPECT_NE(result.err.find(testCase.message), std::string::npos) << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << "one message: " << result.err;
    }
    if (testCase.exitStatus == 2) {
      EXPECT_EQ(result.out, "");
    }
  }
  EXPECT_FALSE(fs::exists(path("no/such/folder/out.txt")));
  EXPECT_TRUE(fs::is_directory(path("folder")));
}

TEST_F(BatchTool, ABarredAddressIsAnUnansweredQuery) {
  test::ServiceProcess barring({"--bar-limit", "1"});
  const ToolRun result =
      run({"--host", barring.host(), "--code", "xjkd", "-q"}, "XJ1000000001\nXJ1000000002\nXJ1000000003\n");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(
      result.out.find("XJ1000000003  \xC4\xFA\xB5\xC4IP\xB5\xD8\xD6\xB7\xB1\xBB\xBD\xFB\xD6\xB9\xB7\xC3\xCE\xCA\r\n"),
      std::string::npos)  // 您的IP地址被禁止访问
      << result.out;
}

TEST_F(BatchTool, OutputFileReplacesTheTargetWhenTheRunEnds) {
  test::writeFile(path("out.txt"), "old\r\n");
  const ToolRun result = run(known({"-o", path("out.txt")}), "XJ1000000001\nAB12\n");
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(test::readFile(path("out.txt")), "XJ1000000001  " + kScanned + "\r\nAB12  " + kBadNumber + "\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(path("")), fs::directory_iterator()), 5)
      << "infor.ini, stdin, stdout, stderr and out.txt; no temporary file left";
}

TEST_F(BatchTool, IntervalSpacesTheRequests) {
  test::RecordingServer server;
  const ToolRun result = run({"--host", server.host(), "--code", "xjkd", "-q", "-i", "0.25"},
                             "XJ1000000001\nAB12\nXJ1000000002\nXJ1000000003\n");
  EXPECT_EQ(result.exitStatus, 1) << "the recording server answers with empty pages";
  const auto times = server.requestTimes();
  ASSERT_EQ(times.size(), 3u);
  for (std::size_t i = 1; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[i - 1], std::chrono::milliseconds(250)) << "between requests " << i << " and " << i + 1;
  }
}

// The third query never gets its answer; Ctrl+C comes while it waits.
class InterruptedRun : public BatchTool {
 protected:
  ToolRun interrupt(std::vector<std::string> extraArgs, int signal) {
    std::vector<std::string> args = {QUORVANE_BATCH_EXE, "--host", server.host(), "--code", "xjkd", "-q"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    test::writeFile(path("stdin"), "XJ1000000001\nXJ1000000002\nXJ1000000003\nXJ1000000004\n");
    ChildProcess tool(args, {.in = path("stdin"), .out = path("stdout"), .err = path("stderr")});
    EXPECT_TRUE(server.waitForRequests(3));
    tool.signal(signal);
    ToolRun result;
    result.exitStatus = tool.wait(std::chrono::seconds(20));
    result.out = test::readFile(path("stdout"));
    result.err = test::readFile(path("stderr"));
    return result;
  }
  test::RecordingServer server{3};
  const std::string finishedLines = "XJ1000000001  " + kQueryFailed + "\r\nXJ1000000002  " + kQueryFailed + "\r\n";
};

TEST_F(InterruptedRun, KeepsTheFinishedLinesOnStandardOutput) {
  const ToolRun result = interrupt({}, SIGINT);
  EXPECT_EQ(result.exitStatus, 130);
  EXPECT_EQ(result.out, finishedLines);
}

TEST_F(InterruptedRun, PutsTheFinishedLinesInPlaceOfTheOutputFile) {
  test::writeFile(path("out.txt"), "old\r\n");
  const ToolRun result = interrupt({"-o", path("out.txt")}, SIGINT);
  EXPECT_EQ(result.exitStatus, 130);
  EXPECT_EQ(test::readFile(path("out.txt")), finishedLines);
}

TEST_F(InterruptedRun, KilledOutrightLeavesTheOutputFileAsItWas) {
  test::writeFile(path("out.txt"), "old\r\n");
  const ToolRun result = interrupt({"-o", path("out.txt")}, SIGKILL);
  EXPECT_EQ(result.exitStatus, -SIGKILL);
  EXPECT_EQ(test::readFile(path("out.txt")), "old\r\n");
}

TEST_F(BatchTool, TwoThousandNumbersWithoutASpuriousFailure) {
  std::string numbers;
  for (int i = 0; i < 2000; ++i) numbers += "XJ100000000" + std::to_string(1 + i % 9) + "\r\n";
  const ToolRun result = run(known(), numbers);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2000);
  EXPECT_EQ(result.out.find(kQueryFailed), std::string::npos);
}

TEST_F(BatchTool, HelpAndVersion) {
  const ToolRun version = run({"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, "quorvane-batch " QUORVANE_VERSION "\n");
  const ToolRun help = run({"-h"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: quorvane-batch [OPTIONS] [FILE...]\n"));
}

}  // namespace
}  // namespace quorvane
