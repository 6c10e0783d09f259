#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

std::string escapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// The frame of every page: a small mobile page with a header bar and a footer.
std::string wrapPage(std::string_view title, std::string_view content) {
  std::string page =
      "<!DOCTYPE html>\n"
      "<html>\n"
      "<head>\n"
      "<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0, user-scalable=no\">\n"
      "<title>";
  page += title;
  page +=
      " - 快件跟踪手机版</title>\n"
      "<style>body{margin:0;font-size:14px;}.top{background:#1D6FD6;color:#fff;padding:8px;}"
      ".box{padding:8px;}.foot{color:#999;font-size:12px;text-align:center;}</style>\n"
      "</head>\n"
      "<body>\n"
      "<div class=\"top\"><h1>快件跟踪</h1></div>\n"
      "<div class=\"box\">\n";
  page += content;
  page +=
      "</div>\n"
      "<div class=\"foot\"><p>快件跟踪手机版 &copy; 演示服务</p></div>\n"
      "</body>\n"
      "</html>\n";
  return page;
}

std::string_view noticeTextAfterMarker(PageKind kind) {
  switch (kind) {
    case PageKind::kUnknown:
      return "，请核对快递公司与单号后再试。";
    case PageKind::kBadNumber:
      return "，请检查后重新输入。";
    case PageKind::kBarred:
      return "，请稍后再试。";
    case PageKind::kKnown:
      break;
  }
  return "";
}

}  // namespace

std::string_view markerOf(PageKind kind) {
  switch (kind) {
    case PageKind::kKnown:
      return kKnownMarker;
    case PageKind::kUnknown:
      return kUnknownMarker;
    case PageKind::kBadNumber:
      return kBadNumberMarker;
    case PageKind::kBarred:
      return kBarredMarker;
  }
  return "";
}

std::string renderKnownPage(const Parcel& parcel, const Courier* courier) {
  std::string content = "<p class=\"no\">";
  if (courier) content += escapeHtml(courier->name) + " ";
  content += "运单号：" + escapeHtml(parcel.number) + "</p>\n";
  content += "<p>" + std::string(kKnownMarker) + "：</p>\n";
  content += "<p style='color:#F21818;'>" + escapeHtml(parcel.headline) + "</p>\n";
  for (const TrackingEntry& entry : parcel.entries) {
    content += "<p>&middot;" + entry.time + "<br /> " + escapeHtml(entry.text) + "</p>\n";
  }
  return wrapPage("查询结果", content);
}

std::string renderNoticePage(PageKind kind) {
  std::string content = "<p>";
  content += markerOf(kind);
  content += noticeTextAfterMarker(kind);
  content += "</p>\n";
  return wrapPage("查询结果", content);
}

std::string renderPlainPage(std::string_view title, std::string_view message) {
  return wrapPage(escapeHtml(title), "<p>" + escapeHtml(message) + "</p>\n");
}

}  // namespace quorvane::service
