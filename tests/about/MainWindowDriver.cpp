#include "MainWindowDriver.h"
#include "support/KeyInput.h"

#include <algorithm>
#include <exception>

#include "commands/CalculatorForm.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Support.h"
#include "support/WindowTestSupport.h"

namespace about_test {

namespace {

constexpr DWORD kPumpSliceMs = 10;
constexpr int kAbsoluteRange = 65536;  // SendInput's absolute coordinate range
constexpr DWORD kPointerSettleMs = 50;  // the move reaches the cursor position meanwhile

bool gQuitSeen = false;

using zemko_test::KeyInput;

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

// The body of the running case, called once from the loop by a timer.
const std::function<void()>* gBody = nullptr;
std::exception_ptr gBodyException;

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  // Nothing may unwind through the dispatcher's frames.
  try {
    (*gBody)();
  } catch (...) {
    gBodyException = std::current_exception();
  }
  PostQuitMessage(0);
}

}  // namespace

// ---------------------------------------------------------------- the queue

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        gQuitSeen = true;
        PostQuitMessage(static_cast<int>(message.wParam));
        return done();
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMs, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= ms; }, ms);
}

bool QuitSeen() { return gQuitSeen; }

// ---------------------------------------------------------------- input

bool MovePointerTo(POINT screen) {
  // Absolute SendInput coordinates map 0..65535 onto the screen; the centre
  // of each pixel's range lands on that pixel.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  move.mi.dx = (screen.x * kAbsoluteRange + kAbsoluteRange / 2) / width;
  move.mi.dy = (screen.y * kAbsoluteRange + kAbsoluteRange / 2) / height;
  SendInput(1, &move, sizeof move);
  PumpFor(kPointerSettleMs);
  POINT now{};
  GetCursorPos(&now);
  return now.x == screen.x && now.y == screen.y;
}

void ClickAt(POINT screen) {
  EXPECT_TRUE(MovePointerTo(screen)) << "the pointer did not reach " << screen.x << ","
                                     << screen.y;
  INPUT click[2] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
  SendInput(2, click, sizeof click[0]);
}

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickOn(HWND window) { ClickAt(CentreOf(window)); }

void TypeKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressWithModifier(WORD modifier, WORD key) {
  INPUT inputs[4] = {KeyInput(modifier, false), KeyInput(key, false), KeyInput(key, true),
                     KeyInput(modifier, true)};
  SendInput(4, inputs, sizeof inputs[0]);
}

// ---------------------------------------------------------------- windows

namespace {

struct AboutSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectAboutWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<AboutSearch*>(context);
  if (GetWindow(window, GW_OWNER) == search->owner &&
      widgets_test::ClassNameOf(window) == "Form" && WindowText(window) == kAboutCaption) {
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

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    // System classes report their names in their own letter case.
    if (lstrcmpiA(widgets_test::ClassNameOf(child).c_str(), className) == 0) {
      found.push_back(child);
    }
  }
  // The layer hands out control ids in creation order.
  std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
    return GetDlgCtrlID(a) < GetDlgCtrlID(b);
  });
  return found;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

RECT ClientRectInParent(HWND window) { return widgets_test::RectInParent(window); }

LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (handle) GetObjectA(handle, sizeof font, &font);
  return font;
}

// ---------------------------------------------------------------- fixture

void MainWindowTest::SetUp() { Build(); }

void MainWindowTest::Build() {
  gQuitSeen = false;
  zemcoms::Form() = {};
  app_ = widgets::CreateApplicationObject(zemko::kApplicationTitle);
  app_->SetVisible(true);
  widgets::SetHelpFile(widgets::ModuleDirectory() + zemko::kHelpFileName);
  main_ = widgets::CreateForm(app_, zemko::kApplicationTitle);
  zemko::BuildMainWindow(app_, main_);
  main_->SetLeft(kMainLeft);
  main_->SetTop(kMainTop);
}

void MainWindowTest::TearDown() {
  if (app_) widgets::DestroyControl(app_);
  app_ = main_ = nullptr;
  zemcoms::Form() = {};
  widgets_test::PumpMessages();
}

void MainWindowTest::RunInLoop(const std::function<void()>& body) {
  gBody = &body;
  gBodyException = nullptr;
  ASSERT_NE(0u, SetTimer(nullptr, 0, 0, RunBody));
  widgets::RunMessageLoop(app_);
  main_ = nullptr;  // gone with the application object
  gBody = nullptr;
  if (gBodyException) std::rethrow_exception(gBodyException);
}

}  // namespace about_test
