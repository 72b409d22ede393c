#include "widgets/Hints.h"

#include "base/FloatingPoint.h"

namespace widgets {

namespace {

// The tool description as the tooltip control of every Windows version knows
// it (without the reserved pointer of later versions).
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;
// Wide enough that only line breaks in the text start new lines.
constexpr LPARAM kMaxTipWidth = 99999;
constexpr DWORD kTooltipStyle = TTS_USEVISUALSTYLE;
constexpr char kTooltipClass[] = TOOLTIPS_CLASSA;

int liveTooltips = 0;

// The default delays are those of the automatic setting at the double-click
// time. Ask for them by that value: some tooltip implementations read the
// -1 of "defaults" as 65535 milliseconds.
int AutomaticDelay(int delay) {
  return delay == Hint::kDefaultDelay ? static_cast<int>(GetDoubleClickTime()) : delay;
}

}  // namespace

Hint::Hint() { InitCommonControls(); }

Hint::~Hint() { DestroyTooltip(); }

Hint* CreateHint() { return new Hint(); }

void AttachHint(Hint* hint, widgets::Control* control) {
  hint->control_ = control;
  control->SetMessageHandler(&Hint::OnMessage, hint);
  control->AddDestroyNotification(&Hint::OnControlDestroyed, hint);
}

void SetHintText(Hint* hint, std::string_view text) {
  hint->text_.assign(text);
  if (!hint->control_ || hint->suspended) return;
  hint->SendToolDescription();
  if (hint->tooltip_) UpdateWindow(hint->tooltip_);
}

void DestroyHint(Hint* hint) {
  if (hint && hint->control_) {
    hint->control_->SetMessageHandler(nullptr, nullptr);
    hint->control_->RemoveDestroyNotification(&Hint::OnControlDestroyed, hint);
  }
  delete hint;
}

int LiveTooltipWindows() { return liveTooltips; }

void Hint::OnMessage(void* context, widgets::Control* sender, UINT message, WPARAM, LPARAM) {
  Hint* hint = static_cast<Hint*>(context);
  if (sender != hint->control_) return;
  if (message == WM_MOUSEMOVE) {
    if (!hint->created_) hint->CreateTooltip();
    if (hint->active && hint->tooltip_) {
      if (hint->beforeShow) hint->beforeShow.fn(hint->beforeShow.context, sender);
      if (hint->activateOnMove) {
        hint->SendToTooltip(TTM_ACTIVATE, TRUE, 0);
      } else {
        hint->SendToolDescription();
      }
      if (hint->updateOnMove) hint->SendToTooltip(TTM_UPDATE, 0, 0);
      if (hint->afterShow) hint->afterShow.fn(hint->afterShow.context, sender);
    }
  } else if (message == WM_MOUSELEAVE) {
    hint->DestroyTooltip();
  }
}

// The hint outlives its control (hints are kept for the whole run): it lets
// go of the control and of the tooltip window that belonged to it.
void Hint::OnControlDestroyed(void* context, widgets::Control*) {
  Hint* hint = static_cast<Hint*>(context);
  hint->DestroyTooltip();
  hint->control_ = nullptr;
}

void Hint::CreateTooltip() {
  {
    base::FpuGuard guard;
    tooltip_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTooltipClass, nullptr, kTooltipStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               control_->Handle(), nullptr, widgets::ModuleInstance(), nullptr);
  }
  // Without a window the hint stays silent; the program is not told.
  created_ = true;
  if (tooltip_) ++liveTooltips;
  SendToTooltip(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(AutomaticDelay(delay), 0));
  SendToolDescription();
  if (tooltip_) UpdateWindow(tooltip_);
}

void Hint::DestroyTooltip() {
  if (tooltip_) {
    DestroyWindow(tooltip_);
    --liveTooltips;
  }
  tooltip_ = nullptr;
  created_ = false;
}

void Hint::SendToolDescription() {
  if (!control_ || suspended) return;
  tool_ = {};
  tool_.cbSize = kToolInfoSize;
  tool_.uFlags = TTF_SUBCLASS;
  tool_.hinst = widgets::ModuleInstance();
  tool_.lpszText = text_.data();
  if (tooltip_) {
    tool_.hwnd = control_->Handle();
    GetClientRect(tool_.hwnd, &tool_.rect);
  }
  SendToTooltip(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool_));
  SendToTooltip(TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  if (!useDefaultTextColour) SendToTooltip(TTM_SETTIPTEXTCOLOR, textColour, 0);
  if (!useDefaultBackgroundColour) SendToTooltip(TTM_SETTIPBKCOLOR, backgroundColour, 0);
  if (updateOnMove) SendToTooltip(TTM_UPDATE, 0, 0);
}

LRESULT Hint::SendToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages for a tooltip that does not exist go nowhere.
  return tooltip_ ? SendMessageA(tooltip_, message, wParam, lParam) : 0;
}

}  // namespace widgets
