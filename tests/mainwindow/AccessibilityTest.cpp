// What a screen reader hears: it asks each control's window for its
// accessible object (AccessibleObjectFromWindow) and reads the name and the
// role; it presses a button by its default action, and follows the result
// strip's name changes. The names and roles are the design's.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "about/About.h"
#include "commands/Buttons.h"
#include "support/Design.h"
#include "support/MainWindowHarness.h"
#include "support/WindowTestSupport.h"

namespace {

using namespace zemko_test;

constexpr long kPushButton = ROLE_SYSTEM_PUSHBUTTON;
constexpr long kEditableText = ROLE_SYSTEM_TEXT;
constexpr long kStaticText = ROLE_SYSTEM_STATICTEXT;
constexpr int kAboutCycles = 1000;

struct Heard {
  std::wstring name;
  long role = 0;
  HRESULT nameResult = E_FAIL;
};

// A design text as a screen reader hears it.
std::wstring Wide(const char* text) {
  std::wstring wide(std::strlen(text), L'\0');
  wide.resize(MultiByteToWideChar(kProgramCodePage, 0, text, -1, wide.data(), wide.size() + 1) - 1);
  return wide;
}

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// By __uuidof: the IID_IAccessible of MinGW's import libraries is not the
// interface's identifier.
IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object));
  if (FAILED(found)) {
    ADD_FAILURE() << "no accessible object: " << std::hex << found;
    return nullptr;
  }
  return object;
}

Heard Hear(IAccessible* object) {
  Heard heard;
  BSTR name = nullptr;
  heard.nameResult = object->get_accName(Self(), &name);
  if (SUCCEEDED(heard.nameResult) && name) heard.name.assign(name, SysStringLen(name));
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4) heard.role = role.lVal;
  return heard;
}

Heard HearWindow(HWND window) {
  IAccessible* object = ObjectOf(window);
  if (!object) return {};
  const Heard heard = Hear(object);
  object->Release();
  return heard;
}

// The windows that raised a name change, as a screen reader hooked to the
// program sees them.
std::vector<HWND> nameChanges;

void CALLBACK RecordNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                               DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) nameChanges.push_back(window);
}

// The windows that raised a focus event, in their order.
std::vector<HWND> focusEvents;

void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_CLIENT) focusEvents.push_back(window);
}

class AccessibilityTest : public MainWindowTest {
 protected:
  AccessibilityTest() { loopEnd_ = LoopEnd::Quit; }
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    about::Initialise();
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    about::Finalise();
    CoUninitialize();
  }

  HWND OpenAbout() {
    Window().aboutButton->Click();
    const std::vector<HWND> abouts = AboutWindowsOf(MainHandle());
    return abouts.empty() ? nullptr : abouts.front();
  }
};

TEST_F(AccessibilityTest, EveryControlOfTheMainWindowHasItsNameAndRole) {
  RunInLoop([&] {
    const mainwindow::MainWindow& window = Window();
    struct Expected {
      widgets::Control* control;
      const char* name;  // the design's text, in the program's code page
      long role;
    };
    std::vector<Expected> table = {
        {window.stakeBox, kStakeHint, kEditableText},
        {window.wonCountBox, kWonCountHint, kEditableText},
        {window.systemSizeBox, kSystemSizeHint, kEditableText},
        {window.comboSizeBox, kComboLabel, kEditableText},
        {Row(1), kFirstRowName, kEditableText},
        {window.resultStrip, kResultPlaceholder, kStaticText},
        {window.linkLabel, kMakerHost, kStaticText},
    };
    // Every button of the window's tables is heard by its hint (the layout
    // cases check the hints).
    for (const auto& b : commands::kCaptionButtons)
      table.push_back({window.*b.field, b.hint, kPushButton});
    for (const auto& b : commands::kBottomButtons)
      table.push_back({window.*b.field, b.hint, kPushButton});
    for (const Expected& e : table) {
      const Heard heard = HearWindow(e.control->EnsureWindow());
      EXPECT_EQ(heard.name, Wide(e.name)) << TextOf(e.control);
      EXPECT_EQ(heard.role, e.role) << TextOf(e.control);
    }
    GrowTo(7);
    EXPECT_EQ(HearWindow(Row(7)->EnsureWindow()).name, Wide(kSeventhRowName));
    // The label beside the K box keeps what it shows.
    const std::vector<HWND> labels = ChildrenOfClass(MainHandle(), "STATIC");
    bool labelHeard = false;
    for (HWND label : labels) labelHeard |= HearWindow(label).name == Wide(kComboLabel);
    EXPECT_TRUE(labelHeard);
    // Nothing drawn or shown changes: the buttons keep their captions.
    EXPECT_EQ(TextOf(window.calculateButton), "");
    EXPECT_EQ(TextOf(window.clearAllButton), kClearAllCaption);
  });
}

TEST_F(AccessibilityTest, PressingCalculateCalculatesAndTheNewResultIsAnnounced) {
  RunInLoop([&] {
    EnterBet("300", {"2", "3", "4"}, "3", "2");
    nameChanges.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                         RecordNameChange, GetCurrentProcessId(), 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    IAccessible* calculate = ObjectOf(Window().calculateButton->EnsureWindow());
    ASSERT_NE(calculate, nullptr);
    BSTR action = nullptr;
    EXPECT_EQ(calculate->get_accDefaultAction(Self(), &action), S_OK);
    EXPECT_EQ(Wide(kPressAction), std::wstring(action ? action : L""));
    SysFreeString(action);
    // Where no click could land, nothing is pressed: under a task-modal box,
    // which disables the window, and while the button is hidden.
    EnableWindow(MainHandle(), FALSE);
    EXPECT_EQ(calculate->accDoDefaultAction(Self()), E_FAIL);
    EnableWindow(MainHandle(), TRUE);
    Window().calculateButton->SetVisible(false);
    EXPECT_EQ(calculate->accDoDefaultAction(Self()), E_FAIL);
    Window().calculateButton->SetVisible(true);
    EXPECT_EQ(TextOf(Window().resultStrip), kResultPlaceholder);
    EXPECT_EQ(calculate->accDoDefaultAction(Self()), S_OK);
    calculate->Release();
    EXPECT_EQ(TextOf(Window().resultStrip), "2600,00");
    EXPECT_EQ(HearWindow(Window().resultStrip->EnsureWindow()).name, L"2600,00");
    const HWND strip = Window().resultStrip->EnsureWindow();
    PumpUntil([&] {
      return std::find(nameChanges.begin(), nameChanges.end(), strip) != nameChanges.end();
    });
    UnhookWinEvent(hook);
    EXPECT_NE(std::find(nameChanges.begin(), nameChanges.end(), strip), nameChanges.end())
        << "no name change of the result strip was raised";
  });
}

// A reader follows Tab: each control it reaches raises the focus event,
// and the object the event names is heard by the control's name.
TEST_F(AccessibilityTest, EachControlTabReachesAnnouncesItsFocusByName) {
  RunInLoop([&] {
    const mainwindow::MainWindow& window = Window();
    const struct {
      widgets::Control* control;
      const char* name;
    } order[] = {
        {window.wonCountBox, kWonCountHint},    {window.systemSizeBox, kSystemSizeHint},
        {window.comboSizeBox, kComboLabel},     {window.calculateButton, kCalculateHint},
        {window.clearAllButton, kClearAllHint}, {window.pasteButton, kPasteHint},
        {window.helpButton, kHelpHint},         {Row(1), kFirstRowName},
        {window.stakeBox, kStakeHint},
    };
    window.stakeBox->TakeFocus();
    focusEvents.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         RecordFocus, GetCurrentProcessId(), 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const auto& next : order) {
      PostKeyPress(Focused(), VK_TAB);
      const HWND reached = next.control->EnsureWindow();
      PumpUntil([&] { return !focusEvents.empty() && focusEvents.back() == reached; });
      ASSERT_FALSE(focusEvents.empty()) << next.name;
      EXPECT_EQ(focusEvents.back(), reached) << next.name;
      EXPECT_EQ(HearWindow(focusEvents.back()).name, Wide(next.name));
    }
    UnhookWinEvent(hook);
  });
}

// The About window's controls, and a held object of its close button that
// outlives its window a thousand times: it then answers that it is not
// connected, and the layer keeps no handle.
TEST_F(AccessibilityTest, AboutWindowNamesAndObjectsThatOutliveTheirWindow) {
  RunInLoop([&] {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    const std::vector<HWND> buttons = ChildrenOfClass(about, "BUTTON");
    ASSERT_EQ(buttons.size(), 1u);
    const Heard close = HearWindow(buttons[0]);
    EXPECT_EQ(close.name, Wide(kAboutCloseHint));
    EXPECT_EQ(close.role, kPushButton);
    const std::vector<HWND> labels = ChildrenOfClass(about, "STATIC");
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(HearWindow(labels[0]).name, Wide(kAboutTitle));
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }));

    PumpFor(100);
    const HandleCounts before = LiveHandles();
    const int controlsBefore = widgets::LiveControls();
    for (int i = 0; i < kAboutCycles; ++i) {
      HWND window = OpenAbout();
      ASSERT_NE(window, nullptr) << "cycle " << i;
      const std::vector<HWND> closeButtons = ChildrenOfClass(window, "BUTTON");
      ASSERT_EQ(closeButtons.size(), 1u);
      IAccessible* held = ObjectOf(closeButtons[0]);
      ASSERT_NE(held, nullptr) << "cycle " << i;
      ASSERT_EQ(Hear(held).name, Wide(kAboutCloseHint)) << "cycle " << i;
      widgets::ControlFromHandle(closeButtons[0])->Click();
      ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "cycle " << i;
      const Heard afterwards = Hear(held);
      EXPECT_TRUE(FAILED(afterwards.nameResult)) << "cycle " << i;
      held->Release();
    }
    EXPECT_EQ(before, LiveHandles());
    EXPECT_EQ(controlsBefore, widgets::LiveControls());
  });
}

}  // namespace
