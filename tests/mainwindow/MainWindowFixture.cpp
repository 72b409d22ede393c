#include "mainwindow/MainWindowFixture.h"

#include <exception>

#include "mainwindow/MainWindow.h"
#include "mainwindow/PositionStore.h"

namespace zemko_test {

namespace {

// The body of the case that runs inside the loop.
const std::function<void()>* gBody = nullptr;

// Runs from the running loop; no exception may leave it through the system.
void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  try {
    if (gBody) (*gBody)();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "exception in the loop: " << e.what();
  } catch (...) {
    ADD_FAILURE() << "exception in the loop";
  }
  if (widgets::Control* main = widgets::MainForm(); main && main->HasWindow()) main->PostClose();
}

}  // namespace

void MainWindowTest::SetUp() {
  DeletePositionKey();
  // The pointer rests away from the window: no hint pops up over it unasked.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  app_ = widgets::CreateApplicationObject(zemko::kApplicationTitle);
  app_->SetVisible(true);
  window_ = widgets::CreateForm(app_, zemko::kApplicationTitle);
  zemko::BuildMainWindow(app_, window_);
}

void MainWindowTest::TearDown() {
  if (app_) widgets::DestroyControl(app_);
  app_ = nullptr;
  zemcoms::Form() = {};
  EXPECT_FALSE(widgets::HasPendingException());
  DeletePositionKey();
}

void MainWindowTest::InLoop(const std::function<void()>& body) {
  gBody = &body;
  ASSERT_NE(0u, SetTimer(nullptr, 0, 0, &RunBody));
  widgets::Control* application = app_;
  try {
    widgets::RunMessageLoop(application);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "the loop ended with an exception: " << e.what();
  }
  gBody = nullptr;
  EXPECT_EQ(nullptr, application) << "the loop destroys the application object";
  app_ = application;
}

int MainWindowTest::ClientHeight() const { return window_->GetClientHeight(); }

void MainWindowTest::GrowTo(int count) {
  while (RowCount() < count) {
    const int before = RowCount();
    Press(Row(before), VK_RETURN);
    if (RowCount() != before + 1) {
      ADD_FAILURE() << "Enter in the last row did not add a row at " << before;
      return;
    }
  }
}

void MainWindowTest::EnterBet(std::string_view stake, const std::vector<std::string>& rows,
                              std::string_view systemSize, std::string_view comboSize) {
  // Rows only go all together: for fewer rows, clear all first.
  if (static_cast<int>(rows.size()) < RowCount()) form().clearAllButton->Click();
  GrowTo(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) SetTextOf(Row(static_cast<int>(i) + 1), rows[i]);
  SetTextOf(form().stakeBox, stake);
  SetTextOf(form().systemSizeBox, systemSize);
  SetTextOf(form().comboSizeBox, comboSize);
}

// ---------------------------------------------------------------- helpers

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    Pump();
    if (condition()) return true;
    if (GetTickCount() - start > milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::vector<WPARAM> TakeSystemCommands(HWND window, DWORD milliseconds) {
  std::vector<WPARAM> commands;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return commands;
      }
      if (message.message == WM_SYSCOMMAND && message.hwnd == window) {
        commands.push_back(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return commands;
}

std::string TextOf(widgets::Control* control) {
  HWND window = control->Handle();
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextOf(widgets::Control* control, std::string_view text) {
  const std::string copy(text);
  SendMessageA(control->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void Press(widgets::Control* box, WORD key) {
  HWND window = box->Handle();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, scan | 1);
  Pump();
  // The box may be gone by now (clear-all destroys the rows).
  if (IsWindow(window)) PostMessageA(window, WM_KEYUP, key, scan | 0xC0000001);
  Pump();
}

void Type(widgets::Control* box, std::string_view characters) {
  HWND window = box->Handle();
  for (char c : characters) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
  Pump();
}

widgets::Control* Focused() {
  HWND focus = GetFocus();
  return focus ? widgets::ControlFromHandle(focus) : nullptr;
}

bool WholeTextSelected(widgets::Control* box) {
  DWORD start = 1, end = 0;
  SendMessageA(box->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthA(box->Handle()));
}

RECT RectInClient(widgets::Control* control) {
  HWND window = control->Handle();
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<int> Place(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void DeletePositionKey() { RegDeleteKeyA(HKEY_CURRENT_USER, zemko::kPositionKey); }

}  // namespace zemko_test
