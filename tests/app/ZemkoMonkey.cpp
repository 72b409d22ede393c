// A long, reproducible random-input run of the calculator under Wine.
//   ZemkoMonkey.exe [events] [seed]
// The main thread runs the program's own start-up and main sequence, exactly
// as Zemko.exe does, so the widget layer's handle counts can be read. A
// second thread is the user: real keys, clicks, drags and pastes of random
// clipboards (MonkeyEvents), with the window's invariants checked after every
// batch. At the end the monkey closes the program with its close button; the
// run passes when that close was accepted, the position was saved, no error
// box appeared and the layer holds the handles it held at the start.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <random>
#include <string>
#include <thread>

#include "app/MainSequence.h"
#include "app/MonkeyEvents.h"
#include "support/Design.h"
#include "support/PositionRegistry.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoDriving.h"
#include "support/ZemkoRun.h"
#include "widgets/Widgets.h"

namespace zemko_monkey {

namespace {

constexpr int kDefaultEvents = 1000;
constexpr std::uint32_t kDefaultSeed = 20261207;
constexpr int kBatch = 10;
constexpr std::size_t kHistory = 50;
constexpr UINT kAnswerMs = 1000;
constexpr DWORD kQuietMs = 100;
constexpr DWORD kRecheckMs = 400;
constexpr DWORD kWindowWaitMs = 20000;
constexpr DWORD kCloseWaitMs = 10000;

// The window's geometry and texts are the design's (support/Design.h).
using zemko_test::kClientHeightBase;
using zemko_test::kCloseButtonCentre;
using zemko_test::kFixedEditBoxes;
using zemko_test::kMaxRows;
using zemko_test::kRowPitch;
using zemko_test::kRowsPerColumn;
using zemko_test::kStripTexts;
// The clear-all button's centre, from its left edge and the client bottom.
constexpr int kClearAllCentreX = zemko_test::kClearAllButtonLeft +
                                 zemko_test::kBottomButtonSize / 2;
constexpr int kBottomButtonCentreAboveFloor = zemko_test::kBottomButtonsAboveFloor -
                                              zemko_test::kBottomButtonSize / 2;

// A thread message that asks the main thread for the layer's counts.
constexpr UINT kCountsRequest = WM_APP + 0x4D;

struct Counts {
  int gdiObjects = -1;
  int windows = -1;
};

// Set by the main thread once the program's main sequence has returned.
std::atomic<bool> programEnded{false};

// Read on the main thread, inside its own message loop.
Counts requestedCounts;
HANDLE countsReady = nullptr;
HHOOK countsHook = nullptr;

LRESULT CALLBACK CountsHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && !message->hwnd &&
      message->message == kCountsRequest) {
    requestedCounts = {widgets::LiveGdiObjects(), widgets::LiveWindows()};
    SetEvent(countsReady);
  }
  return CallNextHookEx(countsHook, code, wParam, lParam);
}

struct Outcome {
  bool failed = false;
  int events = 0;
  Counts start, beforeClose;
  RECT lastPosition{};
  // The end found the close button off the screen (a drag left the caption
  // above it): the program was closed from its taskbar entry instead.
  bool closedFromTaskbar = false;
};

class Monkey {
 public:
  Monkey(DWORD mainThread, int events, std::uint32_t seed)
      : mainThread_(mainThread), events_(events), seed_(seed), random_(seed) {}

  Outcome Run();

 private:
  Outcome Ended();
  std::string Where() const;
  void EndProgram();
  bool Fail(const std::string& what);
  std::string CheckWindow() const;
  std::string StripText() const;
  bool Check();
  Counts ReadCounts();
  void CloseAllAbout();

  DWORD mainThread_;
  int events_;
  std::uint32_t seed_;
  std::mt19937 random_;
  Target target_{};
  std::deque<std::string> history_;
  Outcome outcome_;
};

bool IsPayoutText(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos || comma == 0 || text.size() != comma + 3) return false;
  return text.find_first_not_of("0123456789") == comma &&
         text.find_first_not_of("0123456789", comma + 1) == std::string::npos;
}

BOOL CALLBACK FindErrorBox(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (process == GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 &&
      IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND ErrorBox() {
  HWND found = nullptr;
  EnumWindows(FindErrorBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Monkey::Fail(const std::string& what) {
  std::printf("monkey: FAILED after %d events: %s\nmonkey: seed %u; the last events:\n",
              outcome_.events, what.c_str(), seed_);
  for (const std::string& event : history_) std::printf("  %s\n", event.c_str());
  std::fflush(stdout);
  outcome_.failed = true;
  return false;
}

// The result strip's text; empty when there is no strip.
std::string Monkey::StripText() const {
  HWND strip = zemko_test::ResultStrip(target_.mainWindow);
  return strip ? zemko_test::TextOf(strip) : std::string();
}

// What is wrong with the window now, or nothing.
std::string Monkey::CheckWindow() const {
  const HWND window = target_.mainWindow;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &answer))
    return "the program did not answer within a second";
  if (ErrorBox()) return "an error box is shown";
  const int rows = EditBoxCount(window) - kFixedEditBoxes;
  if (rows < 1 || rows > kMaxRows) return "there are " + std::to_string(rows) + " odds rows";
  RECT client{};
  GetClientRect(window, &client);
  if (client.bottom != kClientHeightBase + kRowPitch * std::min(rows, kRowsPerColumn))
    return "the client height is " + std::to_string(client.bottom) + " with " +
           std::to_string(rows) + " rows";
  const std::string text = StripText();
  if (text.empty()) return "no result strip";
  for (const char* message : kStripTexts)
    if (text == message) return {};
  if (IsPayoutText(text)) return {};
  return "the result strip reads \"" + text + "\"";
}

bool Monkey::Check() {
  Sleep(kQuietMs);
  std::string problem = CheckWindow();
  if (!problem.empty() && problem.find("error box") == std::string::npos) {
    // Input may still have been on its way: one more look once it settled.
    Sleep(kRecheckMs);
    problem = CheckWindow();
  }
  return problem.empty() || Fail(problem);
}

Counts Monkey::ReadCounts() {
  ResetEvent(countsReady);
  PostThreadMessageA(mainThread_, kCountsRequest, 0, 0);
  if (WaitForSingleObject(countsReady, kCloseWaitMs) != WAIT_OBJECT_0) return {};
  return requestedCounts;
}

void Monkey::CloseAllAbout() {
  for (int i = 0; i < 100; ++i) {
    const std::vector<HWND> abouts = AboutWindows();
    if (abouts.empty()) return;
    CloseAbout(abouts.front());
    Sleep(50);
  }
}

// Ends the program after a failure: the error box dismissed, or the window
// asked to close; a program that does not end then is ended by force.
void Monkey::EndProgram() {
  if (HWND box = ErrorBox()) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  } else if (target_.mainWindow) {
    PostMessageA(target_.mainWindow, WM_CLOSE, 0, 0);
  }
}

// What the screen holds where the close button should be, for a failure.
std::string Monkey::Where() const {
  const HWND window = target_.mainWindow;
  POINT point{kCloseButtonCentre.x, kCloseButtonCentre.y};
  ClientToScreen(window, &point);
  char under[32] = {}, foreground[32] = {};
  GetClassNameA(WindowFromPoint(point), under, sizeof under);
  GetClassNameA(GetForegroundWindow(), foreground, sizeof foreground);
  RECT frame{};
  GetWindowRect(window, &frame);
  return "window at " + std::to_string(frame.left) + "," + std::to_string(frame.top) +
         (IsWindowVisible(window) ? ", visible" : ", hidden") +
         (IsIconic(window) ? ", minimised" : "") + "; under the close button: " + under +
         "; foreground: " + foreground +
         "; About windows: " + std::to_string(AboutWindows().size());
}

// Waits for the main sequence to return; one that does not is a hang.
Outcome Monkey::Ended() {
  AttachThreadInput(GetCurrentThreadId(), mainThread_, FALSE);
  if (outcome_.failed) EndProgram();
  const DWORD start = GetTickCount();
  while (!programEnded) {
    if (GetTickCount() - start > kCloseWaitMs) {
      if (!outcome_.failed) Fail("the program did not end after its close button: " + Where());
      std::fflush(stdout);
      ExitProcess(1);
    }
    Sleep(50);
  }
  return outcome_;
}

// True when a click at the client point lands on the window (or a child of
// it): on the screen and not covered.
bool Reachable(HWND window, POINT point) {
  ClientToScreen(window, &point);
  const HWND under = WindowFromPoint(point);
  return under && (under == window || IsChild(window, under));
}

Outcome Monkey::Run() {
  const DWORD process = GetCurrentProcessId();
  const DWORD start = GetTickCount();
  // Shown and built: the loop has made the windows of the boxes.
  while (!(target_.mainWindow = zemko_test::FindProgramWindow(process, "Form")) ||
         !IsWindowVisible(target_.mainWindow) ||
         EditBoxCount(target_.mainWindow) <= kFixedEditBoxes) {
    if (GetTickCount() - start > kWindowWaitMs) {
      Fail("the main window did not show");
      return Ended();
    }
    Sleep(50);
  }
  target_.application = zemko_test::FindProgramWindow(process, "App");
  // One input attachment for the whole run: the keys reach the program's
  // focus with their modifiers.
  AttachThreadInput(GetCurrentThreadId(), mainThread_, TRUE);
  SetForegroundWindow(target_.mainWindow);
  if (!Check()) return Ended();
  outcome_.start = ReadCounts();

  for (int i = 0; i < events_; ++i) {
    const Event event = NextEvent(random_);
    history_.push_back(std::to_string(i + 1) + ": " + event.Describe());
    if (history_.size() > kHistory) history_.pop_front();
    if (!Perform(event, target_)) {
      Fail("could not " + event.Describe());
      return Ended();
    }
    outcome_.events = i + 1;
    if ((i + 1) % kBatch == 0 || i + 1 == events_) {
      if (!Check()) return Ended();
    }
  }

  // What the user left, to show that the events reached the program.
  std::printf("monkey: at the end %d odds rows; the strip reads \"%s\"\n",
              EditBoxCount(target_.mainWindow) - kFixedEditBoxes, StripText().c_str());

  // Back to the state of the start (no About window, one empty row), so the
  // counts can be compared; then the close button, as the user ends.
  CloseAllAbout();
  SetForegroundWindow(target_.mainWindow);
  RECT client{};
  GetClientRect(target_.mainWindow, &client);
  const POINT clearAll{kClearAllCentreX, client.bottom - kBottomButtonCentreAboveFloor};
  if (Reachable(target_.mainWindow, clearAll)) {
    ClickAt(target_.mainWindow, clearAll.x, clearAll.y);
  } else if (HWND button = ChildWindowFromPoint(target_.mainWindow, clearAll)) {
    // Off the screen the mouse cannot reach it; the button is clicked.
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  if (!Check()) return Ended();
  outcome_.beforeClose = ReadCounts();
  GetWindowRect(target_.mainWindow, &outcome_.lastPosition);
  if (Reachable(target_.mainWindow, kCloseButtonCentre)) {
    history_.push_back("close");
    ClickAt(target_.mainWindow, kCloseButtonCentre.x, kCloseButtonCentre.y);
  } else {
    // What a user does whose window's caption is above the screen: Close on
    // the program's taskbar entry.
    history_.push_back("close from the taskbar");
    outcome_.closedFromTaskbar = true;
    PostMessageA(target_.application, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  return Ended();
}

DWORD StoredValue(HKEY key, const char* name) {
  DWORD value = 0, size = sizeof value, type = REG_NONE;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return 0xFFFFFFFF;
  return value;
}

}  // namespace

}  // namespace zemko_monkey

int main(int argc, char** argv) {
  using namespace zemko_monkey;
  const int events = argc > 1 ? std::atoi(argv[1]) : kDefaultEvents;
  const std::uint32_t seed = argc > 2
                                 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10))
                                 : kDefaultSeed;
  std::printf("monkey: %d events, seed %u\n", events, seed);
  std::fflush(stdout);

  // A first start: the window opens at the origin.
  zemko_test::DeletePositionKey();
  countsReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  countsHook = SetWindowsHookExA(WH_GETMESSAGE, CountsHook, nullptr, GetCurrentThreadId());
  const Counts before{widgets::LiveGdiObjects(), widgets::LiveWindows()};

  const DWORD started = GetTickCount();
  const DWORD mainThread = GetCurrentThreadId();
  Outcome outcome;
  std::thread user([&] { outcome = Monkey(mainThread, events, seed).Run(); });
  const int exitCode = app::RunProgram();
  programEnded = true;
  user.join();
  const DWORD elapsed = GetTickCount() - started;
  UnhookWindowsHookEx(countsHook);
  const Counts after{widgets::LiveGdiObjects(), widgets::LiveWindows()};

  bool passed = !outcome.failed && exitCode == 0;
  std::printf("monkey: %d events in %.1f s, seed %u, exit code %d\n", outcome.events,
              elapsed / 1000.0, seed, exitCode);
  std::printf("monkey: layer handles (GDI objects, windows): before start %d, %d; "
              "window up %d, %d; before close %d, %d; after close %d, %d\n",
              before.gdiObjects, before.windows, outcome.start.gdiObjects, outcome.start.windows,
              outcome.beforeClose.gdiObjects, outcome.beforeClose.windows, after.gdiObjects,
              after.windows);
  if (!outcome.failed && (outcome.start.gdiObjects != outcome.beforeClose.gdiObjects ||
                          outcome.start.windows != outcome.beforeClose.windows)) {
    std::printf("monkey: FAILED: the layer holds other handles than at the start\n");
    passed = false;
  }
  if (!outcome.failed) {
    HKEY key = nullptr;
    DWORD top = 0xFFFFFFFF, left = 0xFFFFFFFF;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, zemko_test::kPositionKey, 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
      top = StoredValue(key, "Top");
      left = StoredValue(key, "Left");
      RegCloseKey(key);
    }
    if (top != static_cast<DWORD>(outcome.lastPosition.top) ||
        left != static_cast<DWORD>(outcome.lastPosition.left)) {
      std::printf("monkey: FAILED: the saved position is %ld, %ld, the window was at %ld, %ld\n",
                  static_cast<long>(left), static_cast<long>(top), outcome.lastPosition.left,
                  outcome.lastPosition.top);
      passed = false;
    }
  }
  std::printf("monkey: error boxes: %d\n", exitCode == 0 ? 0 : 1);
  std::printf("monkey: drags whose move went on after the release: %d\n",
              MovesOutlivingTheirButton());
  std::printf("monkey: closed from the taskbar, the close button being off the screen: %d\n",
              outcome.closedFromTaskbar ? 1 : 0);
  std::printf("monkey: %s\n", passed ? "passed" : "FAILED");
  return passed ? 0 : 1;
}
