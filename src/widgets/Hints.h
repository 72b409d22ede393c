// Hints: the small pop-up text shown while the mouse rests on a control, one
// standard tooltip window bound to one control. The tooltip window is made
// on the first mouse move over the control and goes when the mouse leaves.
//
// A control owns its hint: AttachHint hands the hint over, and the hint is
// destroyed with the control. The hint watches the control's messages in the
// window procedure's first stage, beside the general message slots, so the
// control's own slot stays free for the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>

#include "widgets/Widgets.h"

namespace widgets {

class Hint {
 public:
  Hint(const Hint&) = delete;
  Hint& operator=(const Hint&) = delete;
  ~Hint();  // DestroyHint, or its control's destruction

  const std::string& Text() const { return text_; }
  HWND TooltipWindow() const { return tooltip_; }
  bool Created() const { return created_; }
  Control* AttachedControl() const { return control_; }

  // Fields the program leaves at their defaults.
  int delay = kDefaultDelay;
  bool suspended = false;
  bool active = true;
  bool activateOnMove = true;
  bool updateOnMove = false;
  COLORREF textColour = 0;
  bool useDefaultTextColour = true;
  COLORREF backgroundColour = kWhite;
  bool useDefaultBackgroundColour = true;
  Handler<NotifyHandler> beforeShow;
  Handler<NotifyHandler> afterShow;

  // -1 restores the tooltip control's own delays.
  static constexpr int kDefaultDelay = -1;
  static constexpr COLORREF kWhite = 0xFFFFFF;

  // CreateHint, AttachHint, SetHintText and DestroyHint.
  static Hint* Create();
  static void Attach(Hint* hint, Control* control);
  static void SetText(Hint* hint, std::string_view text);
  static void Destroy(Hint* hint);

  // Sees every message of its control, in the window procedure's first
  // stage, and consumes none. A tooltip does not outlive the window it
  // stands for.
  void Observe(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  Hint();

  // Where a control keeps the hint it owns.
  static std::unique_ptr<Hint>& SlotOf(Control& control) { return control.hint_; }

  void CreateTooltip();
  void DestroyTooltip();
  void SendToolDescription();
  LRESULT SendToTooltip(UINT message, WPARAM wParam, LPARAM lParam);

  std::string text_;
  std::wstring wideText_;  // what the tool description points at
  TTTOOLINFOW tool_{};
  HWND tooltip_ = nullptr;
  bool created_ = false;
  Control* control_ = nullptr;
};

// A hint that belongs to nobody until it is attached (or destroyed).
Hint* CreateHint();
// Hands the hint to the control, which destroys it with itself. A control
// has at most one hint: the one it had is destroyed. A hint attached to
// another control moves over.
void AttachHint(Hint* hint, Control* control);
void SetHintText(Hint* hint, std::string_view text);
// Destroys the tooltip window and frees the hint; an attached hint leaves
// its control first.
void DestroyHint(Hint* hint);

// Hints that exist now, attached or not; tooltip windows that exist now
// (for tests and leak checks).
int LiveHints();
int LiveTooltipWindows();

}  // namespace widgets
