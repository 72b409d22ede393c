#include "mainwindow/LinkLabel.h"

#include <windows.h>

#include "mainwindow/Skin.h"
#include "base/FloatingPoint.h"

namespace zemko {

namespace {

constexpr int kLeft = 75;
constexpr int kTop = 27;
constexpr int kHeight = 14;

}  // namespace

widgets::Control* CreateLinkLabel(widgets::Control* mainWindow) {
  widgets::Control* label = widgets::CreateLabel(mainWindow, kMakerHost);
  label->SetTextAlignment(widgets::kAlignCentre);
  label->SetLeft(kLeft);
  label->SetTop(kTop);
  label->SetWidth(mainWindow->GetClientWidth() - label->GetLeft());
  label->SetHeight(kHeight);
  label->SetFontStyle(widgets::kFontBold | widgets::kFontUnderline);
  label->SetFontColour(zemcoms::kLinkColour);
  label->SetCursor(LoadCursorA(nullptr, IDC_HAND));
  label->SetMouseEnterHandler(&LinkMouseEnter, nullptr);
  label->SetMouseLeaveHandler(&LinkMouseLeave, nullptr);
  label->click = {&LinkClick, nullptr};
  return label;
}

void LinkMouseEnter(void*, widgets::Control* sender) {
  sender->SetFontColour(zemcoms::kLinkHoverColour);
}

void LinkMouseLeave(void*, widgets::Control* sender) {
  sender->SetFontColour(zemcoms::kLinkColour);
}

void LinkClick(void*, widgets::Control* sender) {
  // The shell library is large and needed only here: it is loaded on the
  // first click, not at start-up. A failure (no browser) is silent.
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static const HMODULE shell = base::CallForeign([] { return LoadLibraryA("shell32.dll"); });
  static const auto shellExecute = shell ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(
                                               GetProcAddress(shell, "ShellExecuteA")))
                                         : nullptr;
  if (shellExecute) {
    base::CallForeign([&] {
      shellExecute(sender->Parent()->Handle(), "open", kMakerAddress, "", "", SW_SHOW);
    });
  }
}

}  // namespace zemko
