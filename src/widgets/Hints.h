// Hints: the small pop-up text shown while the mouse rests on a control, one
// standard tooltip window bound to one control. The tooltip window is made
// on the first mouse move over the control and goes when the mouse leaves.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "widgets/Widgets.h"

namespace widgets {

class Hint {
 public:
  Hint();
  Hint(const Hint&) = delete;
  Hint& operator=(const Hint&) = delete;
  ~Hint();

  const std::string& Text() const { return text_; }
  HWND TooltipWindow() const { return tooltip_; }
  bool Created() const { return created_; }
  widgets::Control* AttachedControl() const { return control_; }

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
  widgets::Handler<widgets::NotifyHandler> beforeShow;
  widgets::Handler<widgets::NotifyHandler> afterShow;

  // -1 restores the tooltip control's own delays.
  static constexpr int kDefaultDelay = -1;
  static constexpr COLORREF kWhite = 0xFFFFFF;

 private:
  friend void AttachHint(Hint* hint, widgets::Control* control);
  friend void SetHintText(Hint* hint, std::string_view text);
  friend void DestroyHint(Hint* hint);

  static void OnMessage(void* context, widgets::Control* sender, UINT message, WPARAM wParam,
                        LPARAM lParam);
  static void OnControlDestroyed(void* context, widgets::Control* sender);
  void CreateTooltip();
  void DestroyTooltip();
  void SendToolDescription();
  LRESULT SendToTooltip(UINT message, WPARAM wParam, LPARAM lParam);

  std::string text_;
  TTTOOLINFOA tool_{};
  HWND tooltip_ = nullptr;
  bool created_ = false;
  widgets::Control* control_ = nullptr;
};

Hint* CreateHint();
// Binds the hint to the control through the control's general message slot
// (a control has at most one hint).
void AttachHint(Hint* hint, widgets::Control* control);
void SetHintText(Hint* hint, std::string_view text);
void DestroyHint(Hint* hint);

// Tooltip windows that exist now (for tests and leak checks).
int LiveTooltipWindows();

}  // namespace widgets
