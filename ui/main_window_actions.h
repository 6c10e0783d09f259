#pragma once
// What the main window does when the user acts on it. Every action runs on the
// one UI thread; the per-number step processes pending messages, so other
// actions can run nested inside an add or an import and end before it goes on.

#include <string>
#include <string_view>

#include "batch/batch_files.h"
#include "tracking/page_fetcher.h"
#include "ui/app_state.h"
#include "ui/main_window_view.h"

namespace quorvane {

struct MainWindowContext {
  AppState& state;
  MainWindowView& view;
  PageFetcher& fetcher;
  BatchFiles& files;
};

// A courier was picked in the courier list (the same one again included).
void chooseCourier(MainWindowContext& context);

// The add button: the typed number without its spaces, added and queried.
void addSingleNumber(MainWindowContext& context);

// Appends a row for the number, queries it when its form is valid (otherwise
// marks it "单号不正确"), then lets pending messages run once.
void appendAndQueryNumber(MainWindowContext& context, std::string_view number);

// A row became current: its number is queried again in detail mode. A row
// without a number is never queried: the history box is emptied instead.
void showRowDetails(MainWindowContext& context);

// The hyperlink was pressed; the link itself then opens the homepage.
void onHomepageLinkPressed(MainWindowContext& context);

// The text without ASCII spaces and GBK full-width spaces (A1 A1); a lead byte
// left alone at the end is dropped. Every other byte stays, in order.
std::string removeAllSpaces(std::string_view text);

}  // namespace quorvane
