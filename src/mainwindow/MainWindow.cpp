#include "mainwindow/MainWindow.h"

#include <memory>
#include <string>

#include "ZemResConst.h"
#include "mainwindow/CaptionStrip.h"
#include "mainwindow/LinkLabel.h"
#include "mainwindow/OddsRows.h"
#include "mainwindow/PositionStore.h"
#include "skin/Skin.h"

namespace mainwindow {

namespace {

using widgets::Control;

// No caption bar, no sizing frame, no maximise box; a one-pixel border.
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 250;
constexpr int kFontHeight = 12;

using widgets::EditOption;
constexpr EditOption kFreeText = EditOption::None;
constexpr EditOption kDigitsOnly = EditOption::Number;
constexpr EditOption kDigitsReadOnly = EditOption::Number | EditOption::ReadOnly;

constexpr widgets::ButtonOption kFlatGlyphOnly = widgets::ButtonOption::Flat |
                                                 widgets::ButtonOption::NoCaption;
constexpr int kGlyphsFromBitmap = 0;
constexpr int kCaptionButtonSize = 16;
constexpr int kCaptionButtonTop = 2;
constexpr int kBottomButtonSize = 26;

constexpr int kResultStripFontHeight = 14;
constexpr int kResultStripHeight = 18;
constexpr int kMargin = 10;

// The line under the logo: the stake box, the won-count and system-size
// boxes, the label "по" and its box.
constexpr widgets::Place kStakePlace{10, 70, 60, 18};
constexpr widgets::Place kWonCountPlace{80, 70, 30, 18};
constexpr widgets::Place kSystemSizePlace{120, 70, 30, 18};
constexpr widgets::Place kComboLabelPlace{160, 72, 20, 22};
constexpr widgets::Place kComboSizePlace{190, 70, 50, 18};

// A flat bitmap button whose glyph's key grey becomes the surface colour
// around it; the glyph bitmaps are kept for the whole run.
Control* CreateGlyphButton(MainWindow& window, const char* caption, int glyphId,
                           widgets::Colour surface, const widgets::Place& place,
                           widgets::NotifyHandler click) {
  const HBITMAP glyph = widgets::LoadMappedBitmap(widgets::ModuleInstance(), glyphId,
                                                  skin::kGlyphKeyGrey, surface);
  widgets::BitmapButton* button = widgets::CreateBitmapButton(
      window.form, {.caption = caption,
                    .options = kFlatGlyphOnly,
                    .layout = widgets::GlyphLayout::Centre,
                    .glyph = glyph,
                    .glyphCount = kGlyphsFromBitmap,
                    .place = place});
  button->SetColour(surface);
  button->SetAccessibleAction(kPressAction);
  button->click = {click, &window};
  window.glyphButtons.emplace_back(button, glyphId, surface, glyph);
  return button;
}

// F1 and the window menu's item press their buttons, as the mouse would.
void PressHelpButton(void* context, Control*) {
  static_cast<MainWindow*>(context)->helpButton->Click();
}
void PressAboutButton(void* context, Control*) {
  static_cast<MainWindow*>(context)->aboutButton->Click();
}

void ThemeChanged(void* context, Control*) { ApplyTheme(*static_cast<MainWindow*>(context)); }

// An entry box with the thin frame of the skin.
widgets::EditBox* CreateEntryBox(Control* form, widgets::EditOption options,
                                 const widgets::Place& place, widgets::Colour colour) {
  widgets::EditBox* box = widgets::CreateEditBox(form, {.options = options, .place = place});
  skin::ApplyFlatFrame(box);
  box->SetColour(colour);
  return box;
}

}  // namespace

void BuildMainWindow(MainWindow& window, Control* application, widgets::Form* form,
                     const Commands& commands) {
  window.application = application;
  window.form = form;
  window.entryKeyDown = {commands.entryKeyDown, &window};
  window.bottomButtons = commands.bottomButtons;

  form->SetStyle(kMainWindowStyle);
  form->SetMinimiseAnchor(form);
  RestorePosition(form);
  form->SetText(kApplicationTitle);
  form->SetClientHeight(kOneRowClientHeight);
  form->SetClientWidth(kClientWidth);
  form->GetFont().SetHeight(kFontHeight);
  form->SetColour(skin::kSurfaceColour);
  form->EnableTabNavigation();
  form->SetMouseDownHandler(&DragWindow, &window);
  form->SetPaintHandler(&PaintCaptionStrip, &window);
  form->close = {&SavePosition, &window};
  form->help = {&PressHelpButton, &window};
  form->themeChanged = {&ThemeChanged, &window};
  form->AddWindowMenuItem(kAboutMenuItem, &PressAboutButton, &window);
  form->SetVisible(true);

  window.glyphButtons.clear();
  window.logo = std::make_unique<widgets::BitmapObject>(0, 0);
  window.logo->LoadResource(widgets::ModuleInstance(), kLogoBitmap);

  const int width = form->GetClientWidth();
  window.linkLabel = CreateLinkLabel(window);

  window.stakeBox = CreateEntryBox(form, kFreeText, kStakePlace, skin::kFieldColour);
  window.stakeBox->SetHint(kStakeHint);
  window.stakeBox->SetKeyDownHandler(commands.entryKeyDown, &window);

  window.wonCountBox = CreateEntryBox(form, kDigitsReadOnly, kWonCountPlace, skin::kSurfaceColour);
  window.wonCountBox->SetHint(kWonCountHint);

  window.systemSizeBox = CreateEntryBox(form, kDigitsOnly, kSystemSizePlace, skin::kFieldColour);
  window.systemSizeBox->SetHint(kSystemSizeHint);
  window.systemSizeBox->SetKeyDownHandler(commands.entryKeyDown, &window);

  Control* comboLabel = widgets::CreateLabel(form,
                                             {.text = kComboLabel, .place = kComboLabelPlace});
  comboLabel->SetTextAlignment(widgets::kAlignCentre);
  comboLabel->SetFontStyle(0);
  window.comboLabel = comboLabel;

  window.comboSizeBox = CreateEntryBox(form, kDigitsOnly, kComboSizePlace, skin::kFieldColour);
  window.comboSizeBox->SetAccessibleName(kComboLabel);  // the label beside it
  window.comboSizeBox->SetKeyDownHandler(commands.entryKeyDown, &window);

  // Its top follows the rows (LayoutBottomBand).
  window.resultStrip = widgets::CreateLabel(
      form, {.text = kResultPlaceholder,
             .place = widgets::Place{kMargin, 0, width - 2 * kMargin, kResultStripHeight}});
  skin::ApplyFlatFrame(window.resultStrip);
  window.resultStrip->SetTextAlignment(widgets::kAlignLeft);
  window.resultStrip->SetVerticalAlignment(widgets::kVAlignTop);
  window.resultStrip->SetColour(skin::kResultStripColour);
  window.resultStrip->SetFontHeight(kResultStripFontHeight);
  window.resultStrip->SetFontStyle(widgets::kFontBold);
  window.resultStrip->SetHint(kResultStripHint);
  window.resultStrip->NameAfterText();  // a screen reader speaks each result

  for (const CaptionButton& entry : commands.captionButtons) {
    const widgets::Place place{width - entry.slot * kCaptionButtonSize - entry.rightOffset,
                               kCaptionButtonTop, kCaptionButtonSize, kCaptionButtonSize};
    Control* button = CreateGlyphButton(window, "", entry.glyph, skin::kStripColour, place,
                                        commands.buttonClick);
    button->SetTabStop(false);
    button->SetHint(entry.hint);
    window.*entry.field = button;
  }
  // Placed under the rows by LayoutBottomBand.
  for (const BottomButton& entry : commands.bottomButtons) {
    Control* button = CreateGlyphButton(window, entry.caption, entry.glyph, skin::kSurfaceColour,
                                        {0, 0, kBottomButtonSize, kBottomButtonSize},
                                        commands.buttonClick);
    button->SetHint(entry.hint);
    window.*entry.field = button;
  }

  ApplyTheme(window);  // started under a contrast theme
  window.rowCount = 0;
  AddOddsRow(window, RowFocus::Leave);
  window.stakeBox->TakeFocus();
}

}  // namespace mainwindow
