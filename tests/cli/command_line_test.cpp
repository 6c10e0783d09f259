#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace quorvane::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, OptionsInEachForm) {
  const ParsedCommandLine parsed =
      parseCommandLine({"-c", "name", "-l", "list.ini", "--output=out.txt", "--history", "-i0.25", "--host",
                        "example.com:8080", "--utf8", "-q", "a.txt", "-", "--", "-b.txt"});
  ASSERT_EQ(parsed.error, "");
  const CommandLine& line = parsed.commandLine;
  EXPECT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_EQ(line.courierName, "name");
  EXPECT_EQ(line.list, (ArgPath{3, 0}));
  EXPECT_EQ(line.output, (ArgPath{4, 9})) << "the path follows \"--output=\"";
  EXPECT_TRUE(line.history);
  EXPECT_EQ(line.intervalMs, 250u);
  EXPECT_EQ(line.host, "example.com:8080");
  EXPECT_TRUE(line.utf8);
  EXPECT_TRUE(line.quiet);
  const std::vector<std::optional<ArgPath>> inputs = {ArgPath{11, 0}, std::nullopt, ArgPath{14, 0}};
  EXPECT_EQ(line.inputs, inputs);
}

TEST(CommandLine, IntervalsInSecondsWithDecimals) {
  const std::pair<const char*, unsigned> cases[] = {
      {"0", 0}, {"2", 2000}, {"0.5", 500}, {"1.0005", 1001}, {".25", 250}};
  for (const auto& [text, ms] : cases) {
    const ParsedCommandLine parsed = parseCommandLine({"--code", "x", "--interval", text});
    EXPECT_EQ(parsed.error, "") << text;
    EXPECT_EQ(parsed.commandLine.intervalMs, ms) << text;
  }
}

TEST(CommandLine, UsageErrors) {
  const std::pair<Args, std::string> cases[] = {
      {{"--code", "x", "--interval", "-1"}, "--interval wants seconds"},
      {{"--code", "x", "-i", "1e3"}, "--interval wants seconds"},
      {{"--code", "x", "-i", "nan"}, "--interval wants seconds"},
      {{"--code", "x", "-i", "86401"}, "--interval wants seconds"},
      {{"--code", "x", "-i", "."}, "--interval wants seconds"},
      {{"--code", "x", "--host", ""}, "--host wants"},
      {{"--code", "x", "--host", "a:0"}, "--host wants"},
      {{"--code", "x", "--host", "a:65536"}, "--host wants"},
      {{"--code", "x", "--host", "a@b"}, "--host wants"},
      {{"--code", "x", "--host", "a:80/x"}, "--host wants"},
      {{"--code", "x", "--quiet=yes"}, "--quiet takes no value"},
      {{"--code", "x", "-x"}, "unknown option -x"},
      {{"--code", "x", "--courier"}, "--courier wants a value"},
      {{"--code", ""}, "--code wants a company code"},
      {{"--code", "x", "-o", ""}, "--output wants a path"},
      {{"-c", "a", "--code", "b"}, "give either --courier or --code"},
      {{"a.txt"}, "no courier"},
  };
  for (const auto& [args, error] : cases) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    EXPECT_TRUE(parsed.error.starts_with(error)) << args.back() << ": " << parsed.error;
  }
}

TEST(CommandLine, HelpAndVersionNeedNoCourier) {
  EXPECT_EQ(parseCommandLine({"--version"}).commandLine.action, CommandLine::Action::Version);
  EXPECT_EQ(parseCommandLine({"--version", "-h"}).commandLine.action, CommandLine::Action::Help);
  EXPECT_EQ(parseCommandLine({"--help"}).error, "");
}

}  // namespace
}  // namespace quorvane::cli
