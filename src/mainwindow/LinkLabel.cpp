#include "mainwindow/LinkLabel.h"

#include <windows.h>

#include "skin/Contrast.h"
#include "win/Files.h"

namespace mainwindow {

namespace {

constexpr int kLeft = 75;
constexpr int kTop = 27;
constexpr int kHeight = 14;

}  // namespace

widgets::Control* CreateLinkLabel(MainWindow& window) {
  widgets::Control* mainWindow = window.form;
  widgets::Control* label = widgets::CreateLabel(
      mainWindow,
      {.text = kMakerHost,
       .place = widgets::Place{kLeft, kTop, mainWindow->GetClientWidth() - kLeft, kHeight}});
  label->SetTextAlignment(widgets::kAlignCentre);
  label->SetFontStyle(widgets::kFontBold | widgets::kFontUnderline);
  label->SetFontColour(skin::CurrentPalette().link);
  label->SetCursor(LoadCursorA(nullptr, IDC_HAND));
  label->SetMouseEnterHandler(&LinkMouseEnter, &window);
  label->SetMouseLeaveHandler(&LinkMouseLeave, &window);
  label->click = {&LinkClick, &window};
  return label;
}

void LinkMouseEnter(void*, widgets::Control* sender) {
  sender->SetFontColour(skin::CurrentPalette().linkHover);
}

void LinkMouseLeave(void*, widgets::Control* sender) {
  sender->SetFontColour(skin::CurrentPalette().link);
}

void LinkClick(void* context, widgets::Control*) {
  const MainWindow& window = *static_cast<const MainWindow*>(context);
  // A failure (no browser) is silent.
  win::ShellOpen(window.form->EnsureWindow(), kMakerAddress);
}

}  // namespace mainwindow
