#include "service/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane::service {
namespace {

ParsedOptions parse(std::vector<std::string_view> args) { return parseOptions(args); }

TEST(Options, DefaultsServeTheDemoDataOnTheLoopbackPort8370) {
  const ParsedOptions parsed = parse({});
  ASSERT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.showHelp);
  EXPECT_EQ(parsed.options.listenAddress, "127.0.0.1");
  EXPECT_EQ(parsed.options.port, 8370u);
  EXPECT_TRUE(parsed.options.dataFile.ends_with("demo/parcels.txt")) << parsed.options.dataFile;
  EXPECT_EQ(parsed.options.barLimit, 30u);
  EXPECT_EQ(parsed.options.barWindowSeconds, 60u);
}

TEST(Options, TakesEachOptionWithItsValueSeparateOrAfterAnEqualsSign) {
  const ParsedOptions parsed =
      parse({"--listen", "127.0.0.2", "--port=0", "--data", "/tmp/x.txt", "--bar-limit", "0", "--bar-window=5"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.listenAddress, "127.0.0.2");
  EXPECT_EQ(parsed.options.port, 0u);
  EXPECT_EQ(parsed.options.dataFile, "/tmp/x.txt");
  EXPECT_EQ(parsed.options.barLimit, 0u);
  EXPECT_EQ(parsed.options.barWindowSeconds, 5u);
  EXPECT_TRUE(parse({"--port", "1", "--help"}).showHelp);
}

TEST(Options, RejectsBadCommandLines) {
  const struct {
    std::vector<std::string_view> args;
    std::string error;
  } cases[] = {
      {{"--port", "65536"}, "--port wants a whole number from 0 to 65535"},
      {{"--port", "-1"}, "--port wants a whole number from 0 to 65535"},
      {{"--port", "80x"}, "--port wants a whole number from 0 to 65535"},
      {{"--port="}, "--port wants a whole number from 0 to 65535"},
      {{"--bar-window", "0"}, "--bar-window wants a whole number from 1 to 86400"},
      {{"--bar-limit", "many"}, "--bar-limit wants a whole number from 0 to 1000000"},
      {{"--data", ""}, "--data wants a file"},
      {{"--port"}, "--port wants a value"},
      {{"--verbose", "1"}, "unknown option --verbose"},
      {{"extra"}, "unexpected argument extra"},
  };
  for (const auto& c : cases) EXPECT_EQ(parse(c.args).error, c.error) << c.args.front();
}

TEST(Options, HelpNamesEveryOption) {
  const std::string help = optionsHelp();
  for (const char* option : {"--listen", "--port", "--data", "--bar-limit", "--bar-window", "--help", "echo-request"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace quorvane::service
