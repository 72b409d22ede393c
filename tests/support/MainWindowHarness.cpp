#include "support/MainWindowHarness.h"

#include <exception>

#include "app/MainSequence.h"
#include "support/Design.h"
#include "support/Input.h"
#include "support/PositionRegistry.h"
#include "support/WindowTestSupport.h"
#include "win/WideText.h"

namespace zemko_test {

namespace {

// Far above the slowest case (a thousand clear-all cycles take about 30 s).
constexpr UINT kWatchdogMs = 120000;

// The body of the case, called once from the running loop by a timer.
const std::function<void()>* gBody = nullptr;
std::exception_ptr gBodyException;
LoopEnd gLoopEnd = LoopEnd::Close;
bool gLoopWasStuck = false;

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  // Nothing may unwind through the system's frames of the loop.
  try {
    if (gBody) (*gBody)();
  } catch (...) {
    gBodyException = std::current_exception();
  }
  widgets::Control* main = widgets::MainForm();
  if (gLoopEnd == LoopEnd::Close && main && main->HasWindow()) {
    main->PostClose();
  } else {
    PostQuitMessage(0);
  }
}

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD) {
  gLoopWasStuck = true;
  PostQuitMessage(0);
}

// Runs the loop with a watchdog; the application object is gone after it.
void RunLoop(widgets::Control*& application) {
  gLoopWasStuck = false;
  const UINT_PTR watchdog = SetTimer(nullptr, 0, kWatchdogMs, EndStuckLoop);
  try {
    widgets::RunMessageLoop(application);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "the loop ended with an exception: " << e.what();
  }
  KillTimer(nullptr, watchdog);
  EXPECT_FALSE(gLoopWasStuck) << "the loop did not end by itself";
  EXPECT_EQ(application, nullptr) << "the loop destroys the application object";
}

}  // namespace

void MainWindowTest::SetUp() {
  DeletePositionKey();
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  BeforeBuild();
  Build();
}

void MainWindowTest::Build() {
  window_ = {};
  application_ = app::BuildMainSequence(window_);
  form_ = window_.form;
  ForgetQuit();
  AfterBuild();
}

void MainWindowTest::TearDown() {
  if (application_) widgets::DestroyControl(application_);
  application_ = form_ = nullptr;
  window_ = {};
  PumpMessages();
  EXPECT_FALSE(widgets::HasPendingException());
  DeletePositionKey();
}

void MainWindowTest::RunInLoop(const std::function<void()>& body, LoopEnd end) {
  gBody = &body;
  gBodyException = nullptr;
  gLoopEnd = end;
  ForgetQuit();
  ASSERT_NE(0u, SetTimer(nullptr, 0, 0, &RunBody));
  RunLoop(application_);
  form_ = nullptr;
  gBody = nullptr;
  if (gBodyException) std::rethrow_exception(gBodyException);
}

void MainWindowTest::GrowTo(int count) {
  while (RowCount() < count) {
    const int before = RowCount();
    PostKeyPress(Row(before), VK_RETURN);
    if (RowCount() != before + 1) {
      ADD_FAILURE() << "Enter in the last row did not add a row at " << before;
      return;
    }
  }
}

void MainWindowTest::EnterBet(std::string_view stake, const std::vector<std::string>& rows,
                              std::string_view systemSize, std::string_view comboSize) {
  // Rows only go all together: for fewer rows, clear all first.
  if (static_cast<int>(rows.size()) < RowCount()) window_.clearAllButton->Click();
  GrowTo(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) SetTextOf(Row(static_cast<int>(i) + 1), rows[i]);
  SetTextOf(window_.stakeBox, stake);
  SetTextOf(window_.systemSizeBox, systemSize);
  SetTextOf(window_.comboSizeBox, comboSize);
}

// ---------------------------------------------------------------- helpers

namespace {

struct AboutSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectAboutWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<AboutSearch*>(context);
  if (GetWindow(window, GW_OWNER) == search->owner && ClassNameOf(window) == "Form" &&
      TextOf(window) == kAboutCaption) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> AboutWindowsOf(HWND owner) {
  AboutSearch search{owner, {}};
  EnumWindows(CollectAboutWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void SetTextOf(widgets::Control* control, std::string_view text) {
  const std::wstring copy = win::Widen(text);
  SendMessageW(control->EnsureWindow(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

widgets::Control* Focused() {
  HWND focus = GetFocus();
  return focus ? widgets::ControlFromHandle(focus) : nullptr;
}

bool WholeTextSelected(widgets::Control* box) {
  DWORD start = 1, end = 0;
  SendMessageA(box->EnsureWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(box->EnsureWindow()));
}

std::vector<int> Place(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

RECT RectInClient(widgets::Control* control) { return RectInParent(control->EnsureWindow()); }

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

std::vector<WPARAM> TakeSystemCommands(HWND window, DWORD milliseconds) {
  std::vector<WPARAM> commands;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return commands;
      }
      if (message.message == WM_SYSCOMMAND && message.hwnd == window) {
        commands.push_back(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return commands;
}

}  // namespace zemko_test
