// The hyperlink control when the window goes away while the link opens.

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win/hyperlink.h"
#include "ui/win/layout.h"

namespace quorvane {
namespace {

HWND createParent() {
  return CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HWND createLink(HWND parent) {
  HWND link = CreateWindowExW(0, layout::kHyperlinkClass, L"link", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  setHyperlinkTarget(link, L"http://127.0.0.1:1/");
  return link;
}

// What the opener saw and did; the opener is a plain function, so it works through these.
HWND gParent = nullptr;
HWND gNewParent = nullptr;
HWND gNewLink = nullptr;

// Closes the link's window, as a message loop inside the shell call may, and
// makes a fresh link at once, which may well get the freed link's memory.
bool closeWindowWhileOpening(const std::wstring&) {
  DestroyWindow(gParent);
  gNewParent = createParent();
  gNewLink = createLink(gNewParent);
  return true;
}

bool openQuietly(const std::wstring&) { return true; }

class HyperlinkPress : public ::testing::Test {
 protected:
  void SetUp() override {
    registerHyperlinkClass(GetModuleHandleW(nullptr));
    gParent = createParent();
    link = createLink(gParent);
  }
  void TearDown() override {
    setHyperlinkOpener(nullptr);
    for (HWND window : {gParent, gNewParent}) {
      if (window && IsWindow(window)) DestroyWindow(window);
    }
    gParent = gNewParent = gNewLink = nullptr;
  }
  void press() { SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

  HWND link = nullptr;
};

TEST_F(HyperlinkPress, AnOpenedTargetMarksTheLinkVisited) {
  setHyperlinkOpener(openQuietly);
  press();
  EXPECT_EQ(hyperlinkTextColor(link), kLinkVisitedColor);
}

TEST_F(HyperlinkPress, AWindowClosedDuringTheOpenIsNotWrittenTo) {
  setHyperlinkOpener(closeWindowWhileOpening);
  press();
  EXPECT_FALSE(IsWindow(link));
  ASSERT_TRUE(IsWindow(gNewLink));
  EXPECT_EQ(hyperlinkTextColor(gNewLink), kLinkColor) << "the pressed link's mark landed on another link";
}

}  // namespace
}  // namespace quorvane
