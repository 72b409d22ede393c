// The application object, the message loop, closing and minimising, and the
// commands that post or show.
#include <string>
#include <vector>

#include "base/Exception.h"
#include "widgets/TestForm.h"

using namespace widgets;
using namespace zemko_test;

namespace {

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

// An application object with its main form and two controls, none with a
// window yet; the case runs the loop or destroys the application itself.
class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = LiveHandles();
    application_ = CreateApplicationObject("Земко");
    application_->SetVisible(true);
    mainForm_ = CreateForm(application_, "Земко");
    mainForm_->SetStyle(WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX);
    mainForm_->SetLeft(100);
    mainForm_->SetTop(200);
    mainForm_->SetWidth(250);
    mainForm_->SetHeight(190);
    label_ = CreateLabel(mainForm_, "Результат");
    edit_ = CreateEditBox(mainForm_);
    edit_->SetTop(30);
  }
  void TearDown() override {
    if (application_) DestroyControl(application_);
    PumpMessages();
    EXPECT_EQ(nullptr, MainForm());
    EXPECT_FALSE(Running());
    EXPECT_EQ(before_, LiveHandles());
  }

  // Runs the loop; a stuck loop ends after ten seconds.
  void Run() {
    UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, EndStuckLoop);
    RunMessageLoop(application_);
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(nullptr, application_);
    EXPECT_TRUE(Terminated());
  }

  Control* application_ = nullptr;
  Form* mainForm_ = nullptr;
  Control* label_ = nullptr;
  Control* edit_ = nullptr;
  HandleCounts before_{};
};

struct CloseLog {
  int calls = 0;
  int refusals = 0;  // how many calls refuse before one accepts
  std::vector<std::string> seen;
};

void CountClose(void* context, Control*, bool& accept) {
  auto* log = static_cast<CloseLog*>(context);
  ++log->calls;
  if (log->refusals-- > 0) accept = false;
}

}  // namespace

TEST_F(ApplicationTest, TheLoopMakesEveryWindowShowsThemAndEndsWithTheMainForm) {
  CloseLog log;
  mainForm_->close = {
      [](void* context, Control* sender, bool&) {
        auto* seen = &static_cast<CloseLog*>(context)->seen;
        Control* label = sender->ChildAt(0);
        Control* edit = sender->ChildAt(1);
        if (Running() && CurrentApplication() == sender->Parent()) seen->push_back("running");
        if (label->HasWindow() && edit->HasWindow()) seen->push_back("windows");
        if (IsWindowVisible(sender->EnsureWindow()) && IsWindowVisible(label->EnsureWindow()))
          seen->push_back("visible");
      },
      &log};
  mainForm_->PostClose();  // makes the main form's window, hidden
  EXPECT_FALSE(IsWindowVisible(mainForm_->EnsureWindow()));
  EXPECT_FALSE(label_->HasWindow());
  Run();
  EXPECT_EQ((std::vector<std::string>{"running", "windows", "visible"}), log.seen);
  EXPECT_EQ(nullptr, CurrentApplication());
}

TEST_F(ApplicationTest, ARefusingCloseHandlerKeepsTheProgramUntilItAccepts) {
  struct Closes {
    int own = 0;
    int form = 0;
  } closes;
  CloseLog log;
  log.refusals = 1;
  mainForm_->close = {CountClose, &log};
  // While the loop runs the application's slot sees every control's messages.
  application_->SetMessageHandler(
      [](void* context, Control* sender, UINT message, WPARAM, LPARAM) {
        if (message != WM_CLOSE) return;
        auto* closes = static_cast<Closes*>(context);
        ++(sender == CurrentApplication() ? closes->own : closes->form);
      },
      &closes);
  mainForm_->PostClose();
  mainForm_->PostClose();
  mainForm_->PostClose();  // the quit message comes after it: the handler is gone
  Run();
  EXPECT_EQ(2, log.calls);
  EXPECT_EQ(3, closes.form);
  EXPECT_EQ(2, closes.own);
}

TEST_F(ApplicationTest, CloseFromTheTaskbarGoesThroughTheMainForm) {
  CloseLog log;
  mainForm_->close = {CountClose, &log};
  PostMessageA(application_->EnsureWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Run();
  EXPECT_EQ(1, log.calls);
}

// The exception leaves the loop at once, before the next queued message, and
// reaches the caller with every window still on screen for its error box; a
// second failure meanwhile (a paint behind the box) is dropped, and no quit
// request is left to end the box's own loop.
TEST_F(ApplicationTest, AnExceptionInAHandlerEndsTheLoopWithTheWindowsStanding) {
  int keys = 0;
  edit_->SetKeyDownHandler(
      [](void* context, Control*, WORD&, unsigned) {
        ++*static_cast<int*>(context);
        throw base::Exception(base::ErrorKind::IntOverflow);
      },
      &keys);
  PostMessageA(edit_->EnsureWindow(), WM_KEYDOWN, VK_END, 0);
  PostMessageA(edit_->EnsureWindow(), WM_KEYDOWN, VK_HOME, 0);
  try {
    Run();
    ADD_FAILURE() << "the loop returned normally";
  } catch (const base::Exception& e) {
    EXPECT_EQ(base::ErrorKind::IntOverflow, e.Kind());
  }
  EXPECT_EQ(1, keys);
  ASSERT_NE(nullptr, application_);
  EXPECT_TRUE(IsWindowVisible(mainForm_->EnsureWindow()));
  EXPECT_FALSE(HasPendingException());

  SendMessageA(edit_->EnsureWindow(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(2, keys);
  EXPECT_FALSE(HasPendingException());
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(ApplicationTest, MinimisingTheMainFormMinimisesTheApplicationFromTheAnchor) {
  struct Minimise {
    RECT moved{};
    bool armed = false, recorded = false, minimisedOnClose = false;
  } minimise;
  mainForm_->SetMinimiseAnchor(mainForm_);
  application_->SetMessageHandler(
      [](void* context, Control* sender, UINT message, WPARAM wParam, LPARAM lParam) {
        if (sender != CurrentApplication()) return;  // the main form's own messages
        auto* minimise = static_cast<Minimise*>(context);
        // The first move after the minimise command reaches the application.
        if (message == WM_WINDOWPOSCHANGING && minimise->armed && !minimise->recorded) {
          auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
          if (!(position->flags & SWP_NOMOVE)) {
            minimise->moved = {position->x, position->y, position->x + position->cx,
                               position->y + position->cy};
            minimise->recorded = true;
          }
        }
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
          minimise->armed = true;
          MainForm()->PostClose();
        }
      },
      &minimise);
  mainForm_->close = {[](void* context, Control* sender, bool&) {
                        static_cast<Minimise*>(context)->minimisedOnClose =
                            IsIconic(sender->Parent()->EnsureWindow()) != FALSE;
                      },
                      &minimise};
  PostMessageA(mainForm_->EnsureWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Run();
  EXPECT_TRUE(SameRect({100, 200, 350, 200}, minimise.moved));
  EXPECT_TRUE(minimise.minimisedOnClose);
}

TEST_F(ApplicationTest, ClosingTheMainFormOutsideTheLoopKeepsItsWindowAndAsksToQuit) {
  CloseLog log;
  mainForm_->close = {CountClose, &log};
  HWND window = mainForm_->EnsureWindow();
  ForgetQuit();
  SendMessageA(window, WM_CLOSE, 0, 0);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(1, log.calls);  // cleared once accepted
  EXPECT_TRUE(IsWindow(window));
  PumpMessages();
  EXPECT_TRUE(QuitSeen());
}

TEST_F(ApplicationTest, ClosingAnotherFormDestroysItAndFreesItsControl) {
  CloseLog log;
  log.refusals = 1;  // without the loop a refusal does not hold the form
  Control* second = CreateForm(application_, "second");
  second->close = {CountClose, &log};
  Control* about = CreateForm(mainForm_, "О программе");
  CreateLabel(about, "Версия");
  HWND secondWindow = second->EnsureWindow();
  HWND aboutWindow = about->EnsureWindow();
  EXPECT_EQ(3, mainForm_->ChildCount());

  SendMessageA(secondWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(1, log.calls);
  EXPECT_FALSE(IsWindow(secondWindow));
  EXPECT_EQ(1, application_->ChildCount());
  about->PostClose();
  PumpMessages();
  EXPECT_FALSE(IsWindow(aboutWindow));
  EXPECT_EQ(2, mainForm_->ChildCount());
}

TEST_F(ApplicationTest, TheApplicationHandsTheFocusToTheFormActiveLast) {
  Form* second = CreateForm(application_, "second");
  Control* secondEdit = CreateEditBox(second);
  mainForm_->ShowAndActivate();
  edit_->TakeFocus();
  secondEdit->TakeFocus();
  second->ShowAndActivate();
  EXPECT_EQ(secondEdit->EnsureWindow(), GetFocus());
  SetFocus(application_->EnsureWindow());
  EXPECT_EQ(secondEdit->EnsureWindow(), GetFocus());
  mainForm_->TakeFocus();
  SetFocus(application_->EnsureWindow());
  EXPECT_EQ(edit_->EnsureWindow(), GetFocus());
}

// ---------------------------------------------------------------- commands

TEST_F(FormTest, ShowAndActivateMakesTheFormsWindowsAndFocusesItsCurrentControl) {
  Control* label = CreateLabel(form_, "x");
  Control* edit = CreateEditBox(form_);
  edit->SetTop(30);
  edit->TakeFocus();  // recorded while the form is still hidden
  EXPECT_FALSE(label->HasWindow());
  AsForm(form_)->ShowAndActivate();
  EXPECT_TRUE(IsWindowVisible(label->EnsureWindow()));
  EXPECT_TRUE(IsWindowVisible(edit->EnsureWindow()));
  EXPECT_EQ(form_->EnsureWindow(), GetForegroundWindow());
  EXPECT_EQ(edit->EnsureWindow(), GetFocus());
}

TEST_F(FormTest, PostCloseAndStartWindowDragOnlyPost) {
  HWND window = form_->EnsureWindow();
  form_->StartWindowDrag();
  form_->PostClose();
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(WPARAM(0xF012), message.wParam);
  ASSERT_TRUE(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
  EXPECT_TRUE(IsWindow(window));
}
