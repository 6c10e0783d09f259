#pragma once
// Puts the tracking details of a detail page into the history box: the
// headline paragraph replaces the box text, then every dated entry is added.

#include <string>
#include <string_view>

#include "tracking/history_box.h"
#include "tracking/tracking_patterns.h"

namespace quorvane {

// An entry as matched on the page, made readable: "middot;" removed, "<br /> "
// and "</p>" turned into line breaks (CR LF), letters in any case.
std::string cleanEntryText(std::string_view entry);

// Replaces the box text with the headline (the first statusLinePattern match
// without its 10-byte marker and 4-byte closing tag), leaving the box alone
// when there is none, then appends the entryPattern matches, cleaned, in page
// order, all in one appendText call (none without matches). A pattern that was
// never compiled matches nothing; a search that the regex engine abandons ends
// the extraction, keeping the entries found before it.
void showTrackingDetails(const TrackingPatterns& patterns, HistoryBox& box, std::string_view pageText);

}  // namespace quorvane
