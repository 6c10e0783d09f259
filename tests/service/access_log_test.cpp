#include "service/access_log.h"

#include <gtest/gtest.h>

namespace quorvane::service {
namespace {

TEST(AccessLog, OneLineWithStatusAnswerKindQueryValuesAndFault) {
  Reply reply;
  reply.label = "known";
  reply.id = "xjkd";
  reply.postid = "XJ1000000001";
  EXPECT_EQ(formatAccessLine("127.0.0.1", "GET /wap_result.jsp?id=xjkd&postid=XJ1000000001 HTTP/1.0", reply),
            "127.0.0.1 \"GET /wap_result.jsp?id=xjkd&postid=XJ1000000001 HTTP/1.0\" 200 known id=xjkd "
            "postid=XJ1000000001 fault=-");

  reply.status = 500;
  reply.label = "error";
  reply.id.reset();
  reply.postid = "a b\n";  // shown encoded, so the line stays one line
  reply.fault = Fault::kStatus500;
  EXPECT_EQ(formatAccessLine("127.0.0.1", "GET / HTTP/1.1", reply),
            "127.0.0.1 \"GET / HTTP/1.1\" 500 error id=- postid=a%20b%0A fault=status-500");
}

}  // namespace
}  // namespace quorvane::service
