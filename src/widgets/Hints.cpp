#include "widgets/Hints.h"

#include "base/FloatingPoint.h"
#include "win/Libraries.h"
#include "widgets/WidgetsInternal.h"

namespace widgets {

namespace {

// The tool description as the tooltip control of every Windows version knows
// it (without the reserved pointer of later versions).
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;
// Wide enough that only line breaks in the text start new lines.
constexpr LPARAM kMaxTipWidth = 99999;
constexpr DWORD kTooltipStyle = TTS_USEVISUALSTYLE;
constexpr wchar_t kTooltipClass[] = TOOLTIPS_CLASSW;

int liveHints = 0;
int liveTooltips = 0;

// The default delays are those of the automatic setting at the double-click
// time. Ask for them by that value: some tooltip implementations read the
// -1 of "defaults" as 65535 milliseconds.
int AutomaticDelay(int delay) {
  return delay == Hint::kDefaultDelay ? static_cast<int>(GetDoubleClickTime()) : delay;
}

// The common controls library is loaded when the first tip is wanted, not
// when the program starts: loading it there was a sixth of the start-up time.
// It stays loaded, as its tooltip windows need it.
bool RegisterTooltipClass() {
  static const bool registered = [] {
    auto init = win::LibraryFunction<void(WINAPI*)()>("comctl32.dll", "InitCommonControls",
                                                      win::Loading::OnDemand);
    if (init) base::CallForeign(init);
    return init != nullptr;
  }();
  return registered;
}

}  // namespace

Hint::Hint() { ++liveHints; }

// Never throws: it runs while a control is being destroyed.
Hint::~Hint() {
  DestroyTooltip();
  --liveHints;
}

Hint* Hint::Create() { return new Hint(); }
Hint* CreateHint() { return Hint::Create(); }

void Hint::Attach(Hint* hint, Control* control) {
  if (hint->control_ == control) return;
  // Out of its old owner without being freed; the new owner's hint goes.
  if (hint->control_) (void)SlotOf(*hint->control_).release();
  hint->DestroyTooltip();  // it stood for the old control's window
  hint->control_ = control;
  SlotOf(*control).reset(hint);
}

void AttachHint(Hint* hint, Control* control) { Hint::Attach(hint, control); }

void Hint::SetText(Hint* hint, std::string_view text) {
  hint->text_.assign(text);
  hint->wideText_ = Widen(text);
  if (!hint->control_ || hint->suspended) return;
  hint->SendToolDescription();
  if (hint->tooltip_) Window(hint->tooltip_).Update();
}

void SetHintText(Hint* hint, std::string_view text) { Hint::SetText(hint, text); }

void Control::SetHint(std::string_view text) {
  if (accessibleName_.empty()) accessibleName_ = text;
  Hint* hint = CreateHint();
  AttachHint(hint, this);  // the control owns it from here on
  SetHintText(hint, text);
}

void Hint::Destroy(Hint* hint) {
  if (!hint) return;
  if (hint->control_) {
    SlotOf(*hint->control_).reset();
  } else {
    delete hint;
  }
}

void DestroyHint(Hint* hint) { Hint::Destroy(hint); }

int LiveHints() { return liveHints; }
int LiveTooltipWindows() { return liveTooltips; }

void Hint::Observe(UINT message, WPARAM, LPARAM) {
  if (message == WM_MOUSEMOVE) {
    if (!created_) CreateTooltip();
    if (active && tooltip_) {
      if (beforeShow) beforeShow.fn(beforeShow.context, control_);
      if (activateOnMove) {
        SendToTooltip(TTM_ACTIVATE, TRUE, 0);
      } else {
        SendToolDescription();
      }
      if (updateOnMove) SendToTooltip(TTM_UPDATE, 0, 0);
      if (afterShow) afterShow.fn(afterShow.context, control_);
    }
  } else if (message == WM_MOUSELEAVE || message == WM_NCDESTROY) {
    DestroyTooltip();
  }
}

void Hint::CreateTooltip() {
  if (RegisterTooltipClass()) {
    base::FpuGuard guard;
    tooltip_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTooltipClass, nullptr, kTooltipStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               control_->EnsureWindow(), nullptr, ModuleInstance(), nullptr);
  }
  // Without a window the hint stays silent; the program is not told.
  created_ = true;
  if (tooltip_) ++liveTooltips;
  SendToTooltip(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(AutomaticDelay(delay), 0));
  SendToolDescription();
  if (tooltip_) Window(tooltip_).Update();
}

// Counted as gone only when this call destroyed it: a tooltip that anyone
// else destroyed first stays counted, so the count shows it.
void Hint::DestroyTooltip() {
  if (tooltip_ && DestroyWindow(tooltip_)) --liveTooltips;
  tooltip_ = nullptr;
  created_ = false;
}

void Hint::SendToolDescription() {
  if (!control_ || suspended) return;
  tool_ = {};
  tool_.cbSize = kToolInfoSize;
  tool_.uFlags = TTF_SUBCLASS;
  tool_.hinst = ModuleInstance();
  tool_.lpszText = wideText_.data();
  if (tooltip_) {
    tool_.hwnd = control_->EnsureWindow();
    GetClientRect(tool_.hwnd, &tool_.rect);
  }
  SendToTooltip(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
  SendToTooltip(TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  if (!useDefaultTextColour) SendToTooltip(TTM_SETTIPTEXTCOLOR, textColour, 0);
  if (!useDefaultBackgroundColour) SendToTooltip(TTM_SETTIPBKCOLOR, backgroundColour, 0);
  if (updateOnMove) SendToTooltip(TTM_UPDATE, 0, 0);
}

LRESULT Hint::SendToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages for a tooltip that does not exist go nowhere.
  return tooltip_ ? Window(tooltip_).Send(message, wParam, lParam) : 0;
}

}  // namespace widgets
