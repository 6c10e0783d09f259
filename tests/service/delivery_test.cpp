#include "service/delivery.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sample_data.h"
#include "service/huge_body.h"
#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

Reply knownReply(std::optional<Fault> fault) {
  Reply reply;
  reply.body = renderKnownPage(testing::sampleData().parcels[0], &testing::sampleData().couriers[0]);
  reply.marker = kKnownMarker;
  reply.label = "known";
  reply.fault = fault;
  return reply;
}

std::optional<std::size_t> announcedLength(const std::string& head) {
  const std::string key = "\r\nContent-Length: ";
  const std::size_t at = head.find(key);
  if (at == std::string::npos) return std::nullopt;
  return std::stoul(head.substr(at + key.size()));
}

TEST(Delivery, ResponseHeadIsHttp11AndNamesConnectionOnlyWhenAskedToClose) {
  EXPECT_EQ(formatResponseHead(200, "text/html; charset=utf-8", 12, "", false),
            "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: 12\r\n\r\n");
  EXPECT_EQ(formatResponseHead(302, "text/html; charset=utf-8", 0, "/a?b", true),
            "HTTP/1.1 302 Found\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: 0\r\n"
            "Location: /a?b\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(formatResponseHead(500, "text/plain", std::nullopt, "", false),
            "HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/plain\r\n\r\n");
}

TEST(Delivery, ConnectionStaysOpenOnlyWhenTheRequestWantsItAndNoFaultCloses) {
  const ConnectionWish keepAlive{true, false};
  const ConnectionWish askedClose{false, true};
  const ConnectionWish http10{false, false};
  EXPECT_EQ(planDelivery(knownReply(std::nullopt), keepAlive).ending, Ending::kAwaitNextRequest);
  EXPECT_EQ(planDelivery(knownReply(std::nullopt), http10).ending, Ending::kClose);
  const Delivery closing = planDelivery(knownReply(std::nullopt), askedClose);
  EXPECT_EQ(closing.ending, Ending::kClose);
  EXPECT_NE(closing.head.find("\r\nConnection: close\r\n"), std::string::npos);
  EXPECT_EQ(planDelivery(knownReply(Fault::kShortLength), keepAlive).ending, Ending::kClose);
  EXPECT_EQ(planDelivery(knownReply(Fault::kLateClose), http10).ending, Ending::kCloseLate);
  EXPECT_EQ(planDelivery(knownReply(Fault::kHugeBody), keepAlive).ending, Ending::kAwaitNextRequest);
}

TEST(Delivery, CutPositions) {
  const std::string text = "<p>\xE6\xA0\x87\xE8\xAE\xB0</p>ab\xE4\xB8\xAD";  // <p>标记</p>ab中
  const std::string marker = "\xE6\xA0\x87\xE8\xAE\xB0";
  EXPECT_EQ(cutAfterMarker(text, marker), 9u);
  EXPECT_EQ(cutInsideCharAfterMarker(text, marker), 16u);  // after the first byte of 中
  EXPECT_EQ(cutAfterMarker(text, "missing"), text.size() / 2);
  EXPECT_EQ(cutInsideCharAfterMarker(text, "missing"), 4u);  // inside the first character of all
}

// What each byte-level fault announces and sends for a known page of N bytes.
TEST(Delivery, ByteLevelFaults) {
  enum class Announced { kFull, kNone, kHalf, kPlus1000, kHuge, kNoHead };
  enum class Sent { kAll, kToMarkerEnd, kIntoCharAfterMarker, kNothing };
  const struct {
    std::optional<Fault> fault;
    Announced announced;
    Sent sent;
    Ending ending;
  } cases[] = {
      {std::nullopt, Announced::kFull, Sent::kAll, Ending::kAwaitNextRequest},
      {Fault::kNoLength, Announced::kNone, Sent::kAll, Ending::kClose},
      {Fault::kShortLength, Announced::kHalf, Sent::kAll, Ending::kClose},
      {Fault::kLongLength, Announced::kPlus1000, Sent::kAll, Ending::kClose},
      {Fault::kCutBody, Announced::kFull, Sent::kToMarkerEnd, Ending::kClose},
      {Fault::kCutInChar, Announced::kFull, Sent::kIntoCharAfterMarker, Ending::kClose},
      {Fault::kResetBody, Announced::kFull, Sent::kToMarkerEnd, Ending::kReset},
      {Fault::kNeverAnswer, Announced::kNoHead, Sent::kNothing, Ending::kHoldOpen},
      {Fault::kEmptyReply, Announced::kNoHead, Sent::kNothing, Ending::kClose},
      {Fault::kHugeBody, Announced::kHuge, Sent::kNothing, Ending::kAwaitNextRequest},
      {Fault::kSlowChunks, Announced::kFull, Sent::kAll, Ending::kAwaitNextRequest},
      {Fault::kLateClose, Announced::kFull, Sent::kAll, Ending::kAwaitNextRequest},
      {Fault::kDrip, Announced::kFull, Sent::kAll, Ending::kClose},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault ? faultName(*c.fault) : "none");
    const Reply reply = knownReply(c.fault);
    const std::size_t n = reply.body.size();
    const Delivery delivery = planDelivery(reply, {true, false});
    EXPECT_EQ(delivery.ending, c.ending);
    EXPECT_EQ(delivery.hugeBody, c.announced == Announced::kHuge);
    EXPECT_EQ(delivery.head.empty(), c.announced == Announced::kNoHead);

    const std::optional<std::size_t> announced = announcedLength(delivery.head);
    switch (c.announced) {
      case Announced::kFull:
        EXPECT_EQ(announced, n);
        break;
      case Announced::kHalf:
        EXPECT_EQ(announced, n / 2);
        break;
      case Announced::kPlus1000:
        EXPECT_EQ(announced, n + 1000);
        break;
      case Announced::kHuge:
        EXPECT_EQ(announced, kHugeBodySize);
        break;
      case Announced::kNone:
      case Announced::kNoHead:
        EXPECT_EQ(announced, std::nullopt);
        break;
    }

    const std::string& sent = delivery.body;
    EXPECT_EQ(reply.body.substr(0, sent.size()), sent) << "only a prefix of the page is ever sent";
    const std::size_t markerEnd = reply.body.find(kKnownMarker) + kKnownMarker.size();
    switch (c.sent) {
      case Sent::kAll:
        EXPECT_EQ(sent.size(), n);
        break;
      case Sent::kToMarkerEnd:
        EXPECT_EQ(sent.size(), markerEnd);
        break;
      case Sent::kIntoCharAfterMarker:
        ASSERT_GT(sent.size(), markerEnd);
        EXPECT_EQ(static_cast<unsigned char>(sent.back()) & 0xC0, 0xC0) << "ends on the lead byte of a character";
        break;
      case Sent::kNothing:
        EXPECT_TRUE(sent.empty());
        break;
    }
  }
}

TEST(Delivery, SlowChunksComeInSmallPiecesWithPauses) {
  const Delivery delivery = planDelivery(knownReply(Fault::kSlowChunks), {false, false});
  EXPECT_EQ(delivery.pieceSize, 20u);
  EXPECT_GT(delivery.piecePause.count(), 0);
  EXPECT_EQ(planDelivery(knownReply(std::nullopt), {false, false}).pieceSize, 0u);
}

TEST(Delivery, DripSendsTheHeadWholeThenTheBodyByteByByteAtItsPace) {
  Reply reply = knownReply(Fault::kDrip);
  reply.dripPace = std::chrono::milliseconds(250);
  const Delivery delivery = planDelivery(reply, {true, false});
  EXPECT_TRUE(delivery.headAtOnce);
  EXPECT_EQ(delivery.pieceSize, 1u);
  EXPECT_EQ(delivery.piecePause, std::chrono::milliseconds(250));
  EXPECT_FALSE(planDelivery(knownReply(Fault::kSlowChunks), {false, false}).headAtOnce);
}

}  // namespace
}  // namespace quorvane::service
