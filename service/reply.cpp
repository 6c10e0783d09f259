#include "service/reply.h"

#include <algorithm>
#include <charconv>

#include "service/page_choice.h"
#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

// "已签收" in GBK, then a byte that starts no UTF-8 sequence at all.
constexpr std::string_view kNotUtf8Bytes = "\xD2\xD1\xC7\xA9\xCA\xD5\xFF";
constexpr std::string_view kOutsideGbk = "\U0001F4E6";  // PACKAGE, which GBK lacks

std::optional<std::string> queryValue(const RequestTarget& target, std::string_view key) {
  const std::string* value = findQueryValue(target, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::chrono::milliseconds dripPaceOf(const RequestTarget& target) {
  const std::string* text = findQueryValue(target, "pace");
  unsigned milliseconds = 0;
  if (!text || text->empty()) return kDefaultDripPace;
  const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), milliseconds);
  if (ec != std::errc() || end != text->data() + text->size() || milliseconds < 1 ||
      milliseconds > kMaxDripPace.count()) {
    return kDefaultDripPace;
  }
  return std::chrono::milliseconds(milliseconds);
}

std::string_view labelOf(PageKind kind) {
  switch (kind) {
    case PageKind::kKnown:
      return "known";
    case PageKind::kUnknown:
      return "unknown";
    case PageKind::kBadNumber:
      return "bad-number";
    case PageKind::kBarred:
      return "barred";
  }
  return "?";
}

void setPage(Reply& reply, PageKind kind, std::string body) {
  reply.body = std::move(body);
  reply.marker = markerOf(kind);
  reply.label = labelOf(kind);
}

void setPlainPage(Reply& reply, int status, std::string_view label, std::string_view title, std::string_view message) {
  reply.status = status;
  reply.body = renderPlainPage(title, message);
  reply.marker = {};
  reply.label = label;
}

std::string withInsertedAfter(std::string text, std::string_view anchor, std::string_view insertion) {
  const std::size_t at = text.find(anchor);
  if (at != std::string::npos) text.insert(at + anchor.size(), insertion);
  return text;
}

// The known-result page of the chosen parcel (or of a bare one with this number)
// with its headline prefixed.
std::string knownPageWithHeadlinePrefix(const ParcelData& data, const PageChoice& choice, std::string_view number,
                                        std::string_view prefix) {
  Parcel parcel = choice.parcel ? *choice.parcel : Parcel{"", std::string(number), "", {}};
  parcel.headline.insert(0, prefix);
  return renderKnownPage(parcel, findCourier(data, parcel.courierCode));
}

// The same target with every "fault" pair left out.
std::string targetWithoutFault(RequestTarget target) {
  std::erase_if(target.query, [](const QueryPair& pair) { return pair.key == "fault"; });
  return formatRequestTarget(target);
}

// The same target with the first "id" pair naming courierCode instead.
std::string targetWithCourierCode(RequestTarget target, std::string_view courierCode) {
  const auto id =
      std::find_if(target.query.begin(), target.query.end(), [](const QueryPair& p) { return p.key == "id"; });
  if (id != target.query.end()) id->raw = "id=" + percentEncode(courierCode);
  return formatRequestTarget(target);
}

void setRedirect(Reply& reply, std::string location) {
  setPlainPage(reply, 302, "redirect", "302 Found", "页面已移动：" + location);
  reply.location = std::move(location);
}

}  // namespace

Reply chooseReply(const ParcelData& data, BarWindow& bar, const IncomingRequest& request,
                  BarWindow::Clock::time_point now) {
  const RequestTarget target = parseRequestTarget(request.target);
  Reply reply;
  if (target.path != kQueryPath) {
    setPlainPage(reply, 404, "not-found", "404 Not Found", "找不到该页面。");
    return reply;
  }
  reply.id = queryValue(target, "id");
  reply.postid = queryValue(target, "postid");
  if (bar.recordQuery(request.clientAddress, now)) {
    setPage(reply, PageKind::kBarred, renderNoticePage(PageKind::kBarred));
    return reply;
  }

  const std::optional<FaultChoice> fault = chooseFault(target);
  const std::string number = reply.postid.value_or("");
  // A fault-naming id is no courier: the number is then looked up under all of them.
  const bool anyCourier = fault && fault->byCourierCode;
  const PageChoice choice =
      choosePage(data, anyCourier ? std::nullopt : std::optional<std::string_view>(reply.id.value_or("")), number);
  setPage(reply, choice.kind, renderChosenPage(data, choice));
  if (!fault) return reply;
  reply.fault = fault->fault;

  switch (fault->fault) {
    case Fault::kStatus500:
      setPlainPage(reply, 500, "error", "500 Internal Server Error", "服务器内部错误，请稍后再试。");
      break;
    case Fault::kNotUtf8:
      setPage(reply, PageKind::kKnown, knownPageWithHeadlinePrefix(data, choice, number, kNotUtf8Bytes));
      break;
    case Fault::kNoGbkChar:
      reply.body = choice.kind == PageKind::kKnown
                       ? knownPageWithHeadlinePrefix(data, choice, number, kOutsideGbk)
                       : withInsertedAfter(std::move(reply.body), reply.marker, kOutsideGbk);
      break;
    case Fault::kNulBeforeMarker:
      setPage(reply, PageKind::kUnknown, renderNoticePage(PageKind::kUnknown));
      reply.body.insert(reply.body.find(kUnknownMarker), 1, '\0');
      break;
    case Fault::kEchoRequest:
      reply.contentType = "text/plain; charset=utf-8";
      reply.body = request.headText;
      reply.marker = {};
      reply.label = "echo";
      break;
    case Fault::kDrip:
      reply.dripPace = dripPaceOf(target);
      break;
    case Fault::kRedirect:
      if (!fault->byCourierCode) {
        setRedirect(reply, targetWithoutFault(target));
      } else if (choice.parcel) {
        setRedirect(reply, targetWithCourierCode(target, choice.parcel->courierCode));
      } else {
        reply.fault.reset();  // nowhere to send it: the plain answer for the number
      }
      break;
    default:
      break;  // the rest change only how the page is delivered
  }
  return reply;
}

}  // namespace quorvane::service
