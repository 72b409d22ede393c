#include "mainwindow/LinkLabel.h"

#include <shellapi.h>

#include "mainwindow/Skin.h"

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
  // A failure (no browser) is silent: the program goes on as before.
  ShellExecuteA(sender->Parent()->Handle(), "open", kMakerAddress, "", "", SW_SHOW);
}

}  // namespace zemko
