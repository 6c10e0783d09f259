#include "ui/main_window_actions.h"

#include <exception>

#include "text/gbk_text.h"
#include "tracking/query_tracking.h"
#include "tracking/tracking_number.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

// A query that throws (out of memory, say) ends as a failed fetch does, and the
// action that asked for it goes on.
StatusText query(MainWindowContext& context, std::string_view number, QueryMode mode) {
  try {
    return queryTracking(TrackingClient{context.state.patterns, context.state.currentCompanyCode, context.fetcher,
                                        context.view.historyBox()},
                         number, mode);
  } catch (const std::exception&) {
    return status::kQueryFailed;
  }
}

}  // namespace

void chooseCourier(MainWindowContext& context) {
  const int index = context.view.chosenCourierIndex();
  // A choice event without a chosen item (or beyond the list) changes nothing.
  if (index < 0 || static_cast<std::size_t>(index) >= context.state.courierCodes.size()) return;
  context.state.currentCompanyCode = context.state.courierCodes[static_cast<std::size_t>(index)];
  context.view.enableButton(Button::Add);
  context.view.enableButton(Button::Save);
  context.view.enableButton(Button::Import);
}

std::string removeAllSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (gbk::isLeadByte(text[pos])) {
      if (pos + 1 == text.size()) break;  // a lone lead byte at the end
      const bool fullWidthSpace = text[pos] == '\xA1' && text[pos + 1] == '\xA1';
      if (!fullWidthSpace) result.append(text.substr(pos, 2));
      pos += 2;
    } else {
      if (text[pos] != ' ') result.push_back(text[pos]);
      ++pos;
    }
  }
  return result;
}

void addSingleNumber(MainWindowContext& context) {
  const std::string number = removeAllSpaces(context.view.numberInputText());
  if (number.empty()) return;
  context.view.setHintText(texts::kHintQuerying);
  appendAndQueryNumber(context, number);
  context.view.setHintText(texts::kHintDone);
}

void appendAndQueryNumber(MainWindowContext& context, std::string_view number) {
  const std::size_t row = context.view.appendRow(number);
  const StatusText status =
      isValidTrackingNumber(context.state.patterns, number) ? query(context, number, Summary) : status::kBadNumber;
  context.view.setCell(row, kStatusColumn, status);
  context.view.processPendingMessages();
}

void showRowDetails(MainWindowContext& context) {
  const int row = context.view.selectedRow();
  // The current-row mark can move without a selection: then there is no row to query.
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  const std::string number = context.view.cell(index, kNumberColumn);
  // A row without a number (an import line that began with a space) was never
  // sent and keeps its status; there is no history to show for it.
  if (number.empty()) {
    context.view.historyBox().replaceText("");
    return;
  }
  const StatusText status = query(context, number, Detail);
  context.view.setCell(index, kStatusColumn, status);
}

void onHomepageLinkPressed(MainWindowContext& context) { context.view.setCaption(texts::kContactCaption); }

}  // namespace quorvane
