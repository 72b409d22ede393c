#include "mainwindow/MainWindow.h"

#include <memory>
#include <string>

#include "ZemResConst.h"
#include "mainwindow/CaptionStrip.h"
#include "mainwindow/LinkLabel.h"
#include "mainwindow/OddsRows.h"
#include "mainwindow/PositionStore.h"
#include "skin/Skin.h"
#include "widgets/Hints.h"
#include "widgets/Support.h"

namespace mainwindow {

namespace {

using widgets::Control;

// No caption bar, no sizing frame, no maximise box; a one-pixel border.
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kInitialClientHeight = 200;
constexpr int kClientWidth = 250;
constexpr int kFontHeight = 12;

using widgets::EditOption;
constexpr EditOption kFreeText = EditOption::None;
constexpr EditOption kDigitsOnly = EditOption::Number;
constexpr EditOption kDigitsReadOnly = EditOption::Number | EditOption::ReadOnly;

constexpr widgets::ButtonOption kFlatGlyphOnly =
    widgets::ButtonOption::Flat | widgets::ButtonOption::NoCaption;
constexpr int kGlyphsFromBitmap = 0;
constexpr int kCaptionButtonSize = 16;
constexpr int kCaptionButtonTop = 2;
constexpr int kBottomButtonSize = 26;

constexpr int kResultStripFontHeight = 14;

// The control owns its hint from here on.
void AttachHint(Control* control, const char* text) {
  widgets::Hint* hint = widgets::CreateHint();
  widgets::AttachHint(hint, control);
  widgets::SetHintText(hint, text);
}

struct BoxPlace {
  int left, top, width, height;
};

widgets::EditBox* CreateEntryBox(Control* window, EditOption options, BoxPlace place,
                                 widgets::Colour colour) {
  widgets::EditBox* box = widgets::CreateEditBox(window, options);
  skin::ApplyFlatFrame(box);
  box->SetLeft(place.left);
  box->SetTop(place.top);
  box->SetWidth(place.width);
  box->SetHeight(place.height);
  box->SetColour(colour);
  return box;
}

// A flat bitmap button whose glyph's key grey becomes the surface colour
// around it; the glyph bitmaps are kept for the whole run.
Control* CreateGlyphButton(MainWindow& main, const char* caption, int glyphId,
                           widgets::Colour surface, int size, widgets::NotifyHandler click) {
  Control* window = main.form;
  const HBITMAP glyph = widgets::LoadMappedBitmap(widgets::ModuleInstance(), glyphId,
                                                  skin::kGlyphKeyGrey, surface);
  Control* button = widgets::CreateBitmapButton(window, {.caption = caption,
                                                         .options = kFlatGlyphOnly,
                                                         .layout = widgets::GlyphLayout::Centre,
                                                         .glyph = glyph,
                                                         .glyphCount = kGlyphsFromBitmap});
  button->SetHeight(size);
  button->SetWidth(size);
  button->SetColour(surface);
  button->click = {click, &main};
  return button;
}

// Caption-strip buttons sit right to left from the strip's right end and
// are not tab stops.
Control* CreateCaptionButton(MainWindow& main, int glyphId, int rightOffset, int slot,
                             const char* hint, widgets::NotifyHandler click) {
  Control* button = CreateGlyphButton(main, "", glyphId, skin::kStripColour,
                                      kCaptionButtonSize, click);
  button->SetTop(kCaptionButtonTop);
  button->SetLeft(main.form->GetClientWidth() - slot * button->GetWidth() - rightOffset);
  button->SetTabStop(false);
  AttachHint(button, hint);
  return button;
}

Control* CreateBottomButton(MainWindow& main, const char* caption, int glyphId,
                            const char* hint, widgets::NotifyHandler click) {
  Control* button = CreateGlyphButton(main, caption, glyphId, skin::kWindowColour,
                                      kBottomButtonSize, click);
  AttachHint(button, hint);
  return button;
}

}  // namespace

void BuildMainWindow(MainWindow& form, Control* application, widgets::Form* mainWindow,
                     const Commands& commands) {
  form.application = application;
  form.form = mainWindow;
  form.entryKeyDown = {commands.entryKeyDown, &form};
  const widgets::NotifyHandler click = commands.buttonClick;

  mainWindow->SetStyle(kMainWindowStyle);
  mainWindow->SetMinimiseAnchor(mainWindow);
  RestorePosition(mainWindow);
  mainWindow->SetText(kApplicationTitle);
  mainWindow->SetClientHeight(kInitialClientHeight);
  mainWindow->SetClientWidth(kClientWidth);
  mainWindow->GetFont().SetHeight(kFontHeight);
  mainWindow->SetColour(skin::kWindowColour);
  mainWindow->EnableTabNavigation();
  mainWindow->SetMouseDownHandler(&DragWindow, &form);
  mainWindow->SetPaintHandler(&PaintCaptionStrip, &form);
  mainWindow->close = {&SavePosition, &form};
  mainWindow->SetVisible(true);

  form.logo = std::make_unique<widgets::BitmapObject>(0, 0);
  form.logo->LoadResource(widgets::ModuleInstance(), kLogoBitmap);

  const int width = mainWindow->GetClientWidth();
  form.linkLabel = CreateLinkLabel(form);

  form.stakeBox = CreateEntryBox(mainWindow, kFreeText, {10, 70, 60, 18}, skin::kFieldColour);
  AttachHint(form.stakeBox, "Поставленная сумма");
  form.stakeBox->SetKeyDownHandler(commands.entryKeyDown, &form);

  form.wonCountBox =
      CreateEntryBox(mainWindow, kDigitsReadOnly, {80, 70, 30, 18}, skin::kWindowColour);
  AttachHint(form.wonCountBox, "Сыграло");

  form.systemSizeBox =
      CreateEntryBox(mainWindow, kDigitsOnly, {120, 70, 30, 18}, skin::kFieldColour);
  AttachHint(form.systemSizeBox, "Размер системы");
  form.systemSizeBox->SetKeyDownHandler(commands.entryKeyDown, &form);

  Control* comboLabel = widgets::CreateLabel(mainWindow, "по");
  comboLabel->SetTextAlignment(widgets::kAlignCentre);
  comboLabel->SetLeft(160);
  comboLabel->SetTop(72);
  comboLabel->SetWidth(20);
  comboLabel->SetHeight(22);
  comboLabel->SetFontStyle(0);

  form.comboSizeBox =
      CreateEntryBox(mainWindow, kDigitsOnly, {190, 70, 50, 18}, skin::kFieldColour);
  form.comboSizeBox->SetKeyDownHandler(commands.entryKeyDown, &form);

  form.resultStrip = widgets::CreateLabel(mainWindow, kResultPlaceholder);
  skin::ApplyFlatFrame(form.resultStrip);
  form.resultStrip->SetTextAlignment(widgets::kAlignLeft);
  form.resultStrip->SetVerticalAlignment(widgets::kVAlignTop);
  form.resultStrip->SetLeft(10);
  form.resultStrip->SetWidth(width - 20);
  form.resultStrip->SetHeight(18);
  form.resultStrip->SetColour(skin::kResultStripColour);
  form.resultStrip->SetFontHeight(kResultStripFontHeight);
  form.resultStrip->SetFontStyle(widgets::kFontBold);
  AttachHint(form.resultStrip, "Вывод результата  или\rсообщения об ошибке");

  form.closeButton =
      CreateCaptionButton(form, kCloseGlyph, 2, 1, "Закрыть калькулятор", click);
  form.minimiseButton = CreateCaptionButton(form, kMinimiseGlyph, 4, 2, "Свернуть", click);
  form.aboutButton = CreateCaptionButton(form, kAboutGlyph, 10, 3, "О программе", click);

  form.calculateButton =
      CreateBottomButton(form, "", kCalculateGlyph, "Рассчитать ставку", click);
  form.clearAllButton =
      CreateBottomButton(form, "Стереть", kClearAllGlyph, "Очистить все", click);
  form.pasteButton =
      CreateBottomButton(form, "Вставить", kPasteGlyph, "Вставить из Excel", click);
  form.helpButton = CreateBottomButton(form, "Справка", kHelpGlyph, "Справка", click);

  form.rowCount = 0;
  AddOddsRow(form);
  form.stakeBox->SetFocus(true);
}

}  // namespace mainwindow
