#include "service/fault_mode.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace quorvane::service {
namespace {

TEST(FaultMode, ChosenByKeyAnywhereInTheQueryOrByCourierCode) {
  const struct {
    std::string target;
    std::optional<Fault> fault;
    bool byCourierCode;
  } cases[] = {
      {"/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=cut-body", Fault::kCutBody, false},
      {"/wap_result.jsp?fault=status-500&rand=1&id=xjkd&&postid=XJ1000000001", Fault::kStatus500, false},
      {"/wap_result.jsp?rand=1&id=fault-no-length&fromWeb=null&&postid=XJ1000000001", Fault::kNoLength, true},
      {"/wap_result.jsp?id=fault%2Dredirect&postid=XJ1000000001", Fault::kRedirect, true},    // decoded first
      {"/wap_result.jsp?fault=echo-request&id=fault-no-length", Fault::kEchoRequest, false},  // the key wins
      {"/wap_result.jsp?fault=nonsense&id=fault-no-length", std::nullopt, false},  // even when it names nothing
      {"/wap_result.jsp?id=fault-nonsense&postid=XJ1000000001", std::nullopt, false},
      {"/wap_result.jsp?id=fault-&postid=XJ1000000001", std::nullopt, false},
      {"/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=", std::nullopt, false},
      {"/wap_result.jsp?id=xjkd&postid=fault-cut-body", std::nullopt, false},
      {"/wap_result.jsp?id=xjkd&FAULT=cut-body", std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    const std::optional<FaultChoice> choice = chooseFault(parseRequestTarget(c.target));
    ASSERT_EQ(choice.has_value(), c.fault.has_value());
    if (!choice) continue;
    EXPECT_EQ(choice->fault, *c.fault);
    EXPECT_EQ(choice->byCourierCode, c.byCourierCode);
  }
}

TEST(FaultMode, EveryListedNameSelectsADistinctFault) {
  const std::string list = faultNameList() + ", ";
  std::set<Fault> seen;
  for (std::size_t at = 0, comma; (comma = list.find(", ", at)) != std::string::npos; at = comma + 2) {
    const std::string name = list.substr(at, comma - at);
    const std::optional<Fault> fault = faultFromName(name);
    ASSERT_TRUE(fault) << name;
    EXPECT_EQ(faultName(*fault), name);
    EXPECT_TRUE(seen.insert(*fault).second) << name;
  }
  EXPECT_EQ(seen.size(), 18u);
}

}  // namespace
}  // namespace quorvane::service
