// Controls: creation styles, stored and applied properties, fonts, colours,
// the window link, destruction and the handles the layer holds.
#include <string>
#include <vector>

#include "widgets/WidgetsTestResources.h"
#include "widgets/TestForm.h"

using namespace widgets;
using namespace zemko_test;

namespace {

constexpr DWORD kClip = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

DWORD WindowStyle(Control* control) {
  return static_cast<DWORD>(GetWindowLongPtrA(control->EnsureWindow(), GWL_STYLE));
}

LOGFONTA WindowFont(Control* control) {
  LOGFONTA font{};
  auto handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control->EnsureWindow(), WM_GETFONT, 0, 0));
  GetObjectA(handle, sizeof font, &font);
  return font;
}

void Record(void* context, Control*) {
  static_cast<std::vector<std::string>*>(context)->push_back("destroyed");
}

}  // namespace

TEST_F(FormTest, LabelsHaveTheirStyleHeightAndClass) {
  Control* label = CreateLabel(form_, "Abc");
  Control* wrap = CreateWordWrapLabel(form_, "Def");
  EXPECT_EQ(0x5000018Cu | kClip, label->GetStyle());
  EXPECT_EQ(0x50000180u | kClip, wrap->GetStyle());
  EXPECT_EQ(22, label->GetHeight());
  EXPECT_EQ(44, wrap->GetHeight());
  EXPECT_FALSE(label->HasWindow());

  HWND window = label->EnsureWindow();
  EXPECT_STRCASEEQ("STATIC", ClassNameOf(window).c_str());
  EXPECT_EQ(label->GetStyle() & ~WS_VISIBLE, WindowStyle(label) & ~WS_VISIBLE);
  EXPECT_EQ(label, GetPropA(window, "SELF_"));
  EXPECT_EQ(label, ControlFromHandle(window));
  char text[16] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ("Abc", text);
}

TEST_F(FormTest, TabOrderNumbersCountOnAcrossTheFormNeverReset) {
  Control* first = CreateEditBox(form_);
  Control* label = CreateLabel(form_, "");
  DestroyControl(label);
  Control* third = CreateBitmapButton(form_, {.caption = "", .options = ButtonOption::Flat});
  Control* inner = CreateForm(form_, "inner");
  Control* onInner = CreateEditBox(inner);
  EXPECT_EQ(1, first->TabOrder());
  EXPECT_EQ(3, third->TabOrder());
  EXPECT_EQ(0, inner->TabOrder());
  EXPECT_EQ(1, onInner->TabOrder());
  EXPECT_TRUE(first->GetTabStop());
  EXPECT_TRUE(third->GetTabStop());
  EXPECT_FALSE(CreateLabel(form_, "")->GetTabStop());
}

struct EditCase {
  EditOption options;
  DWORD present;
  DWORD absent;
  unsigned navigation;
  int width, height;
};

TEST_F(FormTest, EditOptionsBecomeEditStyles) {
  const EditCase cases[] = {
      {EditOption::None, ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_TABSTOP,
       WS_HSCROLL | WS_VSCROLL | WS_BORDER | ES_NUMBER | ES_READONLY | ES_MULTILINE, 13, 100, 22},
      {EditOption::Number | EditOption::ReadOnly, ES_NUMBER | ES_READONLY, WS_HSCROLL | WS_VSCROLL,
       13, 100, 22},
      {EditOption::NoHorizontalScroll | EditOption::NoVerticalScroll, 0,
       ES_AUTOHSCROLL | ES_AUTOVSCROLL, 13, 100, 22},
      {EditOption::Multiline, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL, 0, 1, 200,
       200},
      {EditOption::Multiline | EditOption::WantTab, ES_MULTILINE, 0, 0, 200, 200},
      {EditOption::WantTab, 0, 0, 12, 100, 22},
      {EditOption::LowerCase | EditOption::NoHideSelection | EditOption::OemConvert |
           EditOption::Password | EditOption::WantReturn,
       ES_LOWERCASE | ES_NOHIDESEL | ES_OEMCONVERT | ES_PASSWORD | ES_WANTRETURN, ES_UPPERCASE, 13,
       100, 22},
      {EditOption::UpperCase, ES_UPPERCASE, ES_LOWERCASE, 13, 100, 22},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.options));
    Control* edit = CreateEditBox(form_, c.options);
    EXPECT_EQ(c.present, edit->GetStyle() & c.present);
    EXPECT_EQ(0u, edit->GetStyle() & c.absent);
    EXPECT_EQ(WS_EX_CLIENTEDGE, edit->GetExtendedStyle());
    EXPECT_EQ(c.navigation, edit->KeyNavigation());
    EXPECT_EQ(c.width, edit->GetWidth());
    EXPECT_EQ(c.height, edit->GetHeight());
  }
  // The system keeps the bits the program relies on.
  Control* digits = CreateEditBox(form_, EditOption::Number | EditOption::ReadOnly);
  EXPECT_EQ(DWORD(ES_NUMBER | ES_READONLY), WindowStyle(digits) & (ES_NUMBER | ES_READONLY));
  EXPECT_EQ(0u, WindowStyle(digits) & (WS_HSCROLL | WS_VSCROLL));
  EXPECT_STRCASEEQ("EDIT", ClassNameOf(digits->EnsureWindow()).c_str());
}

TEST_F(FormTest, PropertiesStoredBeforeTheWindowAreAppliedAtCreation) {
  Control* edit = CreateEditBox(form_);
  edit->SetLeft(15);
  edit->SetTop(25);
  edit->SetWidth(80);
  edit->SetHeight(18);
  edit->SetText("12,5");
  edit->SetStyle(edit->GetStyle() | WS_BORDER);
  edit->SetExtendedStyle(0);
  EXPECT_FALSE(form_->HasWindow());

  HWND window = edit->EnsureWindow();  // the form's window comes first
  EXPECT_TRUE(form_->HasWindow());
  EXPECT_TRUE(SameRect({15, 25, 95, 43}, RectInParent(window)));
  EXPECT_EQ("12,5", edit->GetText());
  // The edit control takes WS_BORDER over and draws the thin frame itself.
  EXPECT_EQ(0, GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  form_->SetVisible(true);
  edit->SetVisible(true);
  edit->SetColour(kWindowColour);
  Picture picture(80, 18);
  picture.CopyFromScreen(window);
  COLORREF field = GetSysColor(COLOR_WINDOW);
  EXPECT_NE(field, picture.At(0, 0));  // a frame one pixel thick
  EXPECT_EQ(picture.At(0, 0), picture.At(79, 17));
  EXPECT_EQ(field, picture.At(1, 1));
  EXPECT_EQ(field, picture.At(40, 1));
}

TEST_F(FormTest, SettersApplyAtOnceToAnExistingWindow) {
  Control* label = CreateLabel(form_, "old");
  label->SetLeft(20);
  label->SetWidth(100);
  HWND window = label->EnsureWindow();

  label->SetLeft(40);  // keeps the width
  EXPECT_TRUE(SameRect({40, 0, 140, 22}, RectInParent(window)));
  label->SetWidth(60);  // keeps the left
  label->SetTop(7);
  label->SetHeight(30);
  EXPECT_TRUE(SameRect({40, 7, 100, 37}, RectInParent(window)));
  EXPECT_EQ(40, label->GetLeft());
  EXPECT_EQ(30, label->GetHeight());

  label->SetText("Результат");
  char text[32] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ("Результат", text);
  SetWindowTextA(window, "typed");
  EXPECT_EQ("typed", label->GetText());  // read from the window

  label->SetExtendedStyle(WS_EX_STATICEDGE);
  EXPECT_EQ(WS_EX_STATICEDGE, GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

TEST_F(FormTest, ABoundsChangeThatAltersNothingDoesNothing) {
  Control* label = CreateLabel(form_, "");
  label->SetLeft(5);
  label->EnsureWindow();
  int moves = 0;
  label->SetMessageHandler(
      [](void* context, Control*, UINT message, WPARAM, LPARAM) {
        if (message == WM_WINDOWPOSCHANGING) ++*static_cast<int*>(context);
      },
      &moves);
  label->SetLeft(5);
  label->SetWidth(64);
  EXPECT_EQ(0, moves);
  label->SetLeft(6);
  EXPECT_EQ(1, moves);
  DestroyControl(label);  // its handler counts into this frame
}

TEST_F(FormTest, ClientSizeOfABorderedFormAddsTheBorder) {
  form_->SetStyle(WS_POPUP | WS_BORDER);
  form_->SetClientWidth(250);
  form_->SetClientHeight(190);
  EXPECT_EQ(252, form_->GetWidth());
  EXPECT_EQ(192, form_->GetHeight());
  EXPECT_EQ(250, form_->GetClientWidth());
  EXPECT_EQ(190, form_->GetClientHeight());
  EXPECT_EQ(10, form_->GetLeft());  // screen coordinates for a form
}

TEST_F(FormTest, AlignmentReplacesTheBitsOfTheKind) {
  Control* label = CreateLabel(form_, "");
  label->EnsureWindow();
  label->SetTextAlignment(kAlignCentre);
  EXPECT_EQ(DWORD(SS_CENTER), label->GetStyle() & 0xF);  // no-word-wrap bits gone
  EXPECT_EQ(DWORD(SS_CENTER), WindowStyle(label) & 0xF);
  label->SetTextAlignment(kAlignRight);
  EXPECT_EQ(DWORD(SS_RIGHT), label->GetStyle() & 0xF);
  label->SetVerticalAlignment(kVAlignCentre);
  EXPECT_TRUE(WindowStyle(label) & SS_CENTERIMAGE);
  label->SetVerticalAlignment(kVAlignTop);
  EXPECT_FALSE(label->GetStyle() & SS_CENTERIMAGE);

  Control* edit = CreateEditBox(form_);
  edit->SetTextAlignment(kAlignRight);
  EXPECT_EQ(DWORD(ES_RIGHT), edit->GetStyle() & (ES_RIGHT | ES_CENTER));
  edit->SetTextAlignment(kAlignLeft);
  EXPECT_EQ(0u, edit->GetStyle() & (ES_RIGHT | ES_CENTER));

  Control* button = CreateBitmapButton(form_, {});
  button->SetTextAlignment(kAlignCentre);
  button->SetVerticalAlignment(kVAlignBottom);
  EXPECT_EQ(DWORD(BS_CENTER | BS_BOTTOM), button->GetStyle() & (BS_CENTER | BS_VCENTER));
  EXPECT_TRUE(button->GetStyle() & BS_OWNERDRAW);
}

TEST_F(FormTest, WindowsMadeBeforeSetVisibleStayHiddenUntilShown) {
  Control* label = CreateLabel(form_, "a");
  label->EnsureWindow();
  EXPECT_FALSE(IsWindowVisible(form_->EnsureWindow()));
  EXPECT_FALSE(WindowStyle(label) & WS_VISIBLE);
  EXPECT_TRUE(label->GetStyle() & WS_VISIBLE);  // still wanted visible

  form_->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(form_->EnsureWindow()));
  EXPECT_FALSE(IsWindowVisible(label->EnsureWindow()));
  label->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(label->EnsureWindow()));
  label->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(label->EnsureWindow()));
  EXPECT_FALSE(label->GetStyle() & WS_VISIBLE);

  // A control made after set visible shows at once.
  Control* later = CreateLabel(form_, "b");
  later->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(later->EnsureWindow()));
}

TEST_F(FormTest, ChildrenCopyColoursAndFontAtCreationOnly) {
  form_->SetColour(0x9ACEFF);
  form_->SetFontHeight(12);
  form_->SetFontColour(0x2A5E9F);
  EXPECT_EQ(0x2A5E9Fu, form_->GetTextColour());
  Control* label = CreateLabel(form_, "x");
  EXPECT_EQ(0x9ACEFFu, label->GetColour());
  EXPECT_EQ(0x2A5E9Fu, label->GetTextColour());
  EXPECT_EQ(12, label->GetFont().GetHeight());
  EXPECT_EQ("MS Sans Serif", label->GetFont().GetFace());
  EXPECT_NE(&form_->GetFont(), &label->GetFont());

  form_->SetColour(0x123456);
  form_->SetFontHeight(14);
  EXPECT_EQ(0x9ACEFFu, label->GetColour());
  EXPECT_EQ(12, label->GetFont().GetHeight());

  EXPECT_EQ(12, WindowFont(label).lfHeight);
  label->SetFontHeight(10);
  label->SetFontStyle(kFontBold | kFontUnderline);
  LOGFONTA font = WindowFont(label);
  EXPECT_EQ(10, font.lfHeight);
  EXPECT_EQ(FW_BOLD, font.lfWeight);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
}

TEST_F(FormTest, AControlWithoutAnInheritedFontMakesOneFromItsTextColour) {
  Control* inner = CreateForm(form_, "no font");  // form_ has no font object
  inner->SetFontColour(0x0000FF);
  Control* label = CreateLabel(inner, "");
  EXPECT_EQ(0x0000FFu, label->GetFont().GetColour());
  EXPECT_EQ(0, label->GetFont().GetHeight());
}

TEST(Font, BoldRaisesTheWeightAndClearingItDropsIt) {
  Font font;
  EXPECT_EQ(0u, font.GetStyle());
  EXPECT_EQ(kWindowTextColour, font.GetColour());
  font.SetStyle(kFontBold | kFontItalic | kFontStrikeOut);
  EXPECT_EQ(FW_BOLD, font.LogFont().lfWeight);
  EXPECT_EQ(kFontBold | kFontItalic | kFontStrikeOut, font.GetStyle());
  font.SetStyle(kFontUnderline);
  EXPECT_EQ(0, font.LogFont().lfWeight);
  EXPECT_EQ(kFontUnderline, font.GetStyle());
  font.SetFace("Arial");
  EXPECT_EQ("Arial", font.GetFace());
}

TEST_F(FormTest, AChildAskingForColoursGetsItsOwn) {
  Control* label = CreateLabel(form_, "x");
  label->SetColour(0xBAEEFF);
  label->SetFontColour(0x0000FF);
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(form_->EnsureWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label->EnsureWindow())));
  LOGBRUSH info{};
  ASSERT_TRUE(GetObjectA(brush, sizeof info, &info));
  EXPECT_EQ(0xBAEEFFu, info.lbColor);
  EXPECT_EQ(0x0000FFu, GetTextColor(dc));
  EXPECT_EQ(0xBAEEFFu, GetBkColor(dc));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));

  label->SetColour(kWindowColour);  // a system colour, resolved at use
  SendMessageA(form_->EnsureWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label->EnsureWindow()));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetBkColor(dc));
  DeleteDC(dc);
}

TEST(ApplicationObject, HasItsClassStylesIconAndTrimmedSystemMenu) {
  HandleCounts before = LiveHandles();
  Control* application = CreateApplicationObject("Земко");
  application->SetVisible(true);
  Control* mainForm = CreateForm(application, "Земко");
  Control* second = CreateForm(application, "second");
  EXPECT_EQ(mainForm, MainForm());

  HWND applicationWindow = application->EnsureWindow();
  EXPECT_EQ("App", ClassNameOf(applicationWindow));
  EXPECT_EQ(0x90CA0000u, WindowStyle(application) & ~WS_CLIPSIBLINGS);  // the system adds it
  EXPECT_EQ(WS_EX_APPWINDOW, GetWindowLongPtrA(applicationWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ("Земко", application->GetText());
  RECT rect;
  GetWindowRect(applicationWindow, &rect);
  EXPECT_EQ(0, rect.right - rect.left);  // only its taskbar entry shows

  HWND formWindow = mainForm->EnsureWindow();
  EXPECT_EQ("Form", ClassNameOf(formWindow));
  EXPECT_EQ(DWORD(CS_DBLCLKS), GetClassLongA(formWindow, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW),
            reinterpret_cast<HCURSOR>(GetClassLongPtrA(formWindow, GCLP_HCURSOR)));
  EXPECT_EQ(applicationWindow, GetWindow(formWindow, GW_OWNER));
  EXPECT_EQ(0x16CF0000u, mainForm->GetStyle());
  EXPECT_EQ(DWORD(WS_EX_CONTROLPARENT), mainForm->GetExtendedStyle());

  auto applicationIcon = reinterpret_cast<HICON>(
      SendMessageA(applicationWindow, WM_GETICON, ICON_BIG, 0));
  auto formIcon = reinterpret_cast<HICON>(SendMessageA(formWindow, WM_GETICON, ICON_BIG, 0));
  EXPECT_NE(nullptr, applicationIcon);
  EXPECT_NE(nullptr, formIcon);
  EXPECT_NE(applicationIcon, formIcon);  // each window's own, drawn for its DPI
  EXPECT_NE(0, SendMessageA(applicationWindow, WM_GETICON, ICON_SMALL, 0));
  EXPECT_NE(0, SendMessageA(formWindow, WM_GETICON, ICON_SMALL, 0));
  second->EnsureWindow();
  EXPECT_EQ(before.icons + 6, LiveIcons());  // each window's big and small icon

  HMENU menu = GetSystemMenu(applicationWindow, FALSE);
  EXPECT_EQ(UINT(-1), GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND));
  EXPECT_EQ(UINT(-1), GetMenuState(menu, SC_MOVE, MF_BYCOMMAND));
  EXPECT_EQ(UINT(-1), GetMenuState(menu, SC_SIZE, MF_BYCOMMAND));
  EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_NE(UINT(-1), GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));

  DestroyControl(application);
  EXPECT_EQ(nullptr, MainForm());
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_EQ(before, LiveHandles());
}

TEST_F(FormTest, DestroyGoesNotificationsFirstThenChildrenLastCreatedFirst) {
  std::vector<std::string> order;
  Form* inner = CreateForm(form_, "inner");
  struct Named {
    std::vector<std::string>* order;
    std::string name;
  };
  Named names[] = {{&order, "inner"}, {&order, "first"}, {&order, "second"}, {&order, "third"}};
  auto note = [](void* context, Control*) {
    auto* named = static_cast<Named*>(context);
    named->order->push_back(named->name);
  };
  inner->AddDestroyNotification(note, &names[0]);
  std::vector<Control*> edits;
  for (int i = 1; i <= 3; ++i) {
    edits.push_back(CreateEditBox(inner));
    edits.back()->AddDestroyNotification(note, &names[i]);
    edits.back()->EnsureWindow();
  }
  edits[1]->TakeFocus();
  EXPECT_EQ(edits[1], inner->CurrentControl());
  HWND secondWindow = edits[1]->EnsureWindow();

  DestroyControl(edits[1]);
  EXPECT_EQ(nullptr, inner->CurrentControl());  // the form forgets it
  EXPECT_FALSE(IsWindow(secondWindow));
  EXPECT_EQ(2, inner->ChildCount());

  DestroyControl(inner);
  EXPECT_EQ((std::vector<std::string>{"second", "inner", "third", "first"}), order);
  EXPECT_EQ(0, form_->ChildCount());
}

TEST_F(FormTest, DestroyAskedInsideItsOwnMessageWaitsUntilTheMessageEnds) {
  std::vector<std::string> events;
  Control* edit = CreateEditBox(form_);
  edit->AddDestroyNotification(Record, &events);
  edit->SetKeyDownHandler(
      [](void* context, Control* sender, WORD&, unsigned) {
        auto* events = static_cast<std::vector<std::string>*>(context);
        events->push_back("key");
        DestroyControl(sender);
        events->push_back("asked");
      },
      &events);
  HWND window = edit->EnsureWindow();
  SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ((std::vector<std::string>{"key", "asked", "destroyed"}), events);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(0, form_->ChildCount());
}

// Hiding the focused window hands the focus to the form; the form must not
// give it back to the control on its way out.
TEST_F(FormTest, AFocusedControlBeingDestroyedIsNotFocusedAgain) {
  struct Dying {
    bool dying = false;
    int focuses = 0;
  } death;
  Control* edit = CreateEditBox(form_);
  edit->AddDestroyNotification(
      [](void* context, Control*) { static_cast<Dying*>(context)->dying = true; }, &death);
  edit->SetMessageHandler(
      [](void* context, Control*, UINT message, WPARAM, LPARAM) {
        auto* death = static_cast<Dying*>(context);
        if (death->dying && message == WM_SETFOCUS) ++death->focuses;
      },
      &death);
  AsForm(form_)->ShowAndActivate();
  edit->TakeFocus();
  ASSERT_EQ(edit->EnsureWindow(), GetFocus());
  DestroyControl(edit);
  EXPECT_EQ(0, death.focuses);
  EXPECT_EQ(nullptr, AsForm(form_)->CurrentControl());
}

TEST_F(FormTest, AWindowTheSystemDestroysLeavesItsControlWithoutOne) {
  Control* label = CreateLabel(form_, "x");
  label->EnsureWindow();
  DestroyWindow(form_->EnsureWindow());
  EXPECT_FALSE(form_->HasWindow());
  EXPECT_FALSE(label->HasWindow());
  EXPECT_EQ(1, form_->ChildCount());  // a free-standing form keeps its controls
  EXPECT_EQ("x", label->GetText());
}

// ---------------------------------------------------------------- accounting

TEST(HandleAccounting, AFormWithHundredsOfControlsLeavesNothingBehind) {
  HandleCounts before = LiveHandles();
  const int controlsBefore = LiveControls();
  HBITMAP glyph = LoadMappedBitmap(GetModuleHandleA(nullptr), kGlyph12Resource, 0xCCCCCC, 0x9ACEFF);
  ASSERT_NE(nullptr, glyph);
  Control* form = CreateForm(nullptr, "many");
  form->SetFontHeight(12);
  for (int i = 0; i < 300; ++i) {
    Control* control = nullptr;
    if (i % 3 == 0) {
      control = CreateLabel(form, "label");
    } else if (i % 3 == 1) {
      control = CreateEditBox(form);
    } else {
      control = CreateBitmapButton(form, {.caption = "",
                                          .options = ButtonOption::Flat | ButtonOption::NoCaption,
                                          .layout = GlyphLayout::Centre,
                                          .glyph = glyph});
    }
    control->SetTop(i);
    control->SetColour(0x9ACEFF);
    control->EnsureWindow();
  }
  form->SetVisible(true);
  UpdateWindow(form->EnsureWindow());
  EXPECT_EQ(before.windows + 301, LiveWindows());
  EXPECT_EQ(controlsBefore + 301, LiveControls());
  DestroyControl(form);
  EXPECT_EQ(before, LiveHandles());
  EXPECT_EQ(controlsBefore, LiveControls());
  EXPECT_TRUE(DeleteObject(glyph));
}

TEST(HandleAccounting, AThousandColourAndFontChangesKeepTheCountsFlat) {
  HandleCounts before = LiveHandles();
  Control* form = CreateForm(nullptr, "colours");
  Control* label = CreateLabel(form, "x");
  HDC dc = CreateCompatibleDC(nullptr);
  int afterFirst = 0;
  for (int i = 0; i < 1000; ++i) {
    label->SetColour(static_cast<Colour>(i * 0x10101));
    label->SetFontHeight(8 + i % 10);
    label->SetFontStyle(static_cast<unsigned>(i % 16));
    label->SetFontColour(static_cast<Colour>(i));
    SendMessageA(form->EnsureWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label->EnsureWindow()));
    if (i == 0) afterFirst = LiveGdiObjects();
  }
  EXPECT_EQ(afterFirst, LiveGdiObjects());
  DeleteDC(dc);
  DestroyControl(form);
  EXPECT_EQ(before, LiveHandles());
}

TEST(HandleAccounting, AThousandBitmapLoadsAndFreesKeepTheCountsFlat) {
  HandleCounts before = LiveHandles();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateBitmap(8, 8, 1, 32, nullptr);
  HGDIOBJ previous = SelectObject(dc, target);
  for (int i = 0; i < 1000; ++i) {
    BitmapObject bitmap(i % 2 ? 4 : 0, 4);
    ASSERT_TRUE(bitmap.LoadResource(GetModuleHandleA(nullptr), kLogoResource));
    bitmap.DrawTransparent(dc, 0, 0, i % 3 ? 0xCCCCCC : 0x0000FF);
    bitmap.DrawTransparent(dc, 2, 2, 0xCCCCCC);
    HBITMAP mapped = LoadMappedBitmap(GetModuleHandleA(nullptr), kGlyph12Resource, 0xCCCCCC, i);
    ASSERT_NE(nullptr, mapped);
    ASSERT_TRUE(DeleteObject(mapped));
  }
  SelectObject(dc, previous);
  DeleteObject(target);
  DeleteDC(dc);
  EXPECT_EQ(before, LiveHandles());
}
