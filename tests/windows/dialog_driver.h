#pragma once
// Answers the common file dialogs and message boxes of this process from a
// helper thread, as a person would: it waits for each expected dialog in turn,
// reads its title and text, types a path into the file name box if told to,
// and presses a button. A dialog nobody expected is cancelled and reported, so
// a test never hangs on a box that nobody answers.
//
//   DialogDriver dialogs({messageBox(IDOK), openFile(path)});
//   click(import button);              // returns once the dialogs are answered
//   EXPECT_EQ(dialogs.finish(), "");   // what went wrong, if anything

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "text/win/code_page.h"

namespace quorvane::test {

enum class DialogKind { MessageBox, Open, Save, Other };

// One expected dialog and how to answer it.
struct DialogStep {
  DialogKind kind;
  int button;         // IDOK, IDCANCEL, IDYES, IDNO
  std::wstring path;  // file dialogs: typed into the file name box first; empty leaves the box as it is
};

inline DialogStep messageBox(int button = IDOK) { return {DialogKind::MessageBox, button, {}}; }
inline DialogStep openFile(std::wstring path = {}) { return {DialogKind::Open, IDOK, std::move(path)}; }
inline DialogStep saveFile(std::wstring path = {}) { return {DialogKind::Save, IDOK, std::move(path)}; }

// What a dialog showed when it came up.
struct SeenDialog {
  DialogKind kind = DialogKind::Other;
  std::string title;  // GBK
  std::string text;   // GBK: a message box's text, or what the file name box held
  bool warningIcon = false;
};

namespace dialog_detail {

inline constexpr DWORD kPollMs = 20;
inline constexpr ULONGLONG kStepTimeoutMs = 30'000;      // for one dialog to come up, or to go
inline constexpr ULONGLONG kWatchLimitMs = 15 * 60'000;  // for the whole thread, benchmarks included
inline constexpr int kMessageTextId = 0xFFFF;            // the static that holds a message box's text
inline constexpr int kFileNameBoxId = 0x47C;             // cmb13: the file name box of an Explorer-style dialog
inline constexpr int kFileNameEditId = 0x480;            // edt1: the file name box of older dialog templates

inline std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

inline bool hasClass(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return lstrcmpiW(className, name) == 0;
}

// The first window below parent, at any depth, that passes the test.
template <typename Test>
HWND findDescendant(HWND parent, Test test) {
  struct Search {
    Test& test;
    HWND found = nullptr;
  } search{test};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        if (!s.test(child)) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The edit a person types the file name into: on newer dialogs it sits inside
// a combo box inside a ComboBoxEx, all three with the id cmb13.
inline HWND fileNameEdit(HWND dialog) {
  for (const int id : {kFileNameBoxId, kFileNameEditId}) {
    HWND box = GetDlgItem(dialog, id);
    if (!box) continue;
    if (hasClass(box, L"Edit")) return box;
    if (HWND edit = findDescendant(box, [](HWND child) { return hasClass(child, L"Edit"); })) return edit;
  }
  return nullptr;
}

// File dialogs tell open from save only by their title, in the user's language.
inline DialogKind kindOf(HWND dialog) {
  if (fileNameEdit(dialog)) {
    const std::wstring title = windowText(dialog);
    if (title == L"打开" || title == L"Open") return DialogKind::Open;
    if (title == L"另存为" || title == L"Save As") return DialogKind::Save;
    return DialogKind::Other;
  }
  return GetDlgItem(dialog, kMessageTextId) ? DialogKind::MessageBox : DialogKind::Other;
}

inline bool showsWarningIcon(HWND dialog) {
  const HICON warning = LoadIconW(nullptr, IDI_WARNING);
  return findDescendant(dialog, [warning](HWND child) {
           return hasClass(child, L"Static") &&
                  reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == warning;
         }) != nullptr;
}

inline SeenDialog read(HWND dialog) {
  SeenDialog seen;
  seen.kind = kindOf(dialog);
  seen.title = wideToGbk(windowText(dialog));
  HWND textControl = seen.kind == DialogKind::MessageBox ? GetDlgItem(dialog, kMessageTextId) : fileNameEdit(dialog);
  if (textControl) seen.text = wideToGbk(windowText(textControl));
  seen.warningIcon = showsWarningIcon(dialog);
  return seen;
}

inline const char* nameOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::MessageBox:
      return "message box";
    case DialogKind::Open:
      return "open dialog";
    case DialogKind::Save:
      return "save dialog";
    case DialogKind::Other:
      break;
  }
  return "other dialog";
}

// The dialog a person would see now: a top-level dialog of this process that
// is shown and takes input (one that opened a box of its own does not).
inline HWND activeDialog() {
  struct Search {
    DWORD pid = GetCurrentProcessId();
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != s.pid || !hasClass(window, L"#32770") || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
          return TRUE;
        }
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace dialog_detail

class DialogDriver {
 public:
  explicit DialogDriver(std::vector<DialogStep> steps) : steps_(std::move(steps)), thread_([this] { run(); }) {}
  ~DialogDriver() { finish(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Call once the action that shows the dialogs has returned: no further
  // dialog can come, so a step still waiting is reported as missing. Returns
  // what went wrong, one line each, or "" when every step went as expected.
  const std::string& finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return problems_;
  }

  // The dialogs answered, in order (read after finish).
  const std::vector<SeenDialog>& seen() const { return seen_; }

 private:
  void run() {
    using namespace dialog_detail;
    const ULONGLONG start = GetTickCount64();
    std::size_t done = 0;
    while (done < steps_.size() && take(steps_[done])) ++done;
    for (std::size_t step = done; step < steps_.size(); ++step) {
      complain("step " + std::to_string(step + 1) + ", a " + nameOf(steps_[step].kind) + ", was not answered");
    }
    // Whatever comes up from here on was not expected.
    while (!stop_ && GetTickCount64() - start < kWatchLimitMs) {
      if (HWND dialog = activeDialog(); dialog && !wasAnswered(dialog)) {
        complain("unexpected " + describe(read(dialog)));
        dismiss(dialog);
      }
      Sleep(kPollMs);
    }
  }

  // Waits for the step's dialog and answers it; false when none came or another kind did.
  bool take(const DialogStep& step) {
    using namespace dialog_detail;
    HWND dialog = waitForDialog(step.kind);
    if (!dialog) return false;
    SeenDialog seen = read(dialog);
    if (seen.kind != step.kind) {
      complain(std::string("expected a ") + nameOf(step.kind) + ", got a " + describe(seen));
      dismiss(dialog);
      return false;
    }
    answer(dialog, step);
    seen_.push_back(std::move(seen));
    if (!waitUntilAnswered(dialog)) {
      complain(std::string("the ") + nameOf(step.kind) + " stayed open");
      dismiss(dialog);
    }
    return true;
  }

  static std::string describe(const SeenDialog& seen) {
    return std::string(dialog_detail::nameOf(seen.kind)) + " \"" + seen.title + "\": \"" + seen.text + "\"";
  }

  // A dialog answered before may show up again (a file dialog after its own
  // confirmation box); only a step of its own kind takes it then.
  HWND waitForDialog(DialogKind kind) {
    using namespace dialog_detail;
    const ULONGLONG start = GetTickCount64();
    while (!stop_ && GetTickCount64() - start < kStepTimeoutMs) {
      HWND dialog = activeDialog();
      if (dialog && (!wasAnswered(dialog) || kindOf(dialog) == kind)) return dialog;
      Sleep(kPollMs);
    }
    return nullptr;
  }

  // The path goes in as typed text; the button is pressed by its command,
  // posted, so this thread never waits on a dialog that opens another.
  void answer(HWND dialog, const DialogStep& step) {
    if (!step.path.empty()) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(dialog_detail::fileNameEdit(dialog), WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(step.path.c_str()), SMTO_NORMAL, 5000, &ignored);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), 0);
    answered_.push_back(dialog);
  }

  void dismiss(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    answered_.push_back(dialog);
    waitUntilAnswered(dialog);
  }

  // Closed, or covered by a box of its own.
  bool waitUntilAnswered(HWND dialog) const {
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < dialog_detail::kStepTimeoutMs) {
      if (!IsWindow(dialog) || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog)) return true;
      Sleep(dialog_detail::kPollMs);
    }
    return false;
  }

  bool wasAnswered(HWND dialog) const {
    for (HWND answered : answered_) {
      if (answered == dialog) return true;
    }
    return false;
  }

  void complain(const std::string& problem) { problems_ += problem + "\n"; }

  std::vector<DialogStep> steps_;
  std::vector<SeenDialog> seen_;
  std::vector<HWND> answered_;
  std::string problems_;
  std::atomic<bool> stop_{false};
  std::thread thread_;  // last: it starts once everything it uses exists
};

}  // namespace quorvane::test
