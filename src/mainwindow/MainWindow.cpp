#include "mainwindow/MainWindow.h"

#include <memory>
#include <string>

#include "ZemResConst.h"
#include "commands/ButtonClick.h"
#include "commands/CalculatorForm.h"
#include "commands/Messages.h"
#include "commands/OddsRows.h"
#include "mainwindow/CaptionStrip.h"
#include "mainwindow/LinkLabel.h"
#include "mainwindow/PositionStore.h"
#include "mainwindow/Skin.h"
#include "widgets/Hints.h"
#include "widgets/Support.h"

namespace zemko {

namespace {

using widgets::Control;
using zemcoms::CalculatorForm;

// No caption bar, no sizing frame, no maximise box; a one-pixel border.
constexpr DWORD kMainWindowStyle = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kInitialClientHeight = 200;
constexpr int kClientWidth = 250;
constexpr int kFontHeight = 12;

constexpr unsigned kFreeText = 0;
constexpr unsigned kDigitsOnly = widgets::kEditNumber;
constexpr unsigned kDigitsReadOnly = widgets::kEditNumber | widgets::kEditReadOnly;

constexpr unsigned kFlatGlyphOnly = widgets::kButtonFlat | widgets::kButtonNoCaption;
constexpr int kGlyphsFromBitmap = 0;
constexpr int kCaptionButtonSize = 16;
constexpr int kCaptionButtonTop = 2;
constexpr int kBottomButtonSize = 26;

constexpr int kResultStripFontHeight = 14;

void AttachHint(Control* control, const char* text) {
  widgets::Hint* hint = widgets::CreateHint();
  widgets::AttachHint(hint, control);
  widgets::SetHintText(hint, text);
}

struct BoxPlace {
  int left, top, width, height;
};

Control* CreateEntryBox(Control* window, unsigned options, BoxPlace place,
                        widgets::Colour colour) {
  Control* box = widgets::CreateEditBox(window, options);
  zemcoms::ApplyFlatFrame(box);
  box->SetLeft(place.left);
  box->SetTop(place.top);
  box->SetWidth(place.width);
  box->SetHeight(place.height);
  box->SetColour(colour);
  return box;
}

// A flat bitmap button whose glyph's key grey becomes the surface colour
// around it; the glyph bitmaps are kept for the whole run.
Control* CreateGlyphButton(Control* window, const char* caption, int glyphId,
                           widgets::Colour surface, int size) {
  const HBITMAP glyph = widgets::LoadMappedBitmap(widgets::ModuleInstance(), glyphId,
                                                  zemcoms::kGlyphKeyGrey, surface);
  Control* button = widgets::CreateBitmapButton(window, caption, kFlatGlyphOnly,
                                                widgets::kGlyphCentre, glyph, kGlyphsFromBitmap);
  button->SetHeight(size);
  button->SetWidth(size);
  button->SetColour(surface);
  button->click = {&zemcoms::ButtonClick, nullptr};
  return button;
}

// Caption-strip buttons sit right to left from the strip's right end and
// are not tab stops.
Control* CreateCaptionButton(Control* window, int glyphId, int rightOffset, int slot,
                             const char* hint) {
  Control* button = CreateGlyphButton(window, "", glyphId, zemcoms::kStripColour,
                                      kCaptionButtonSize);
  button->SetTop(kCaptionButtonTop);
  button->SetLeft(window->GetClientWidth() - slot * button->GetWidth() - rightOffset);
  button->SetTabStop(false);
  AttachHint(button, hint);
  return button;
}

Control* CreateBottomButton(Control* window, const char* caption, int glyphId,
                            const char* hint) {
  Control* button = CreateGlyphButton(window, caption, glyphId, zemcoms::kWindowColour,
                                      kBottomButtonSize);
  AttachHint(button, hint);
  return button;
}

}  // namespace

void BuildMainWindow(Control* application, Control* mainWindow) {
  CalculatorForm& form = zemcoms::Form();
  form.application = application;
  form.mainWindow = mainWindow;

  mainWindow->SetStyle(kMainWindowStyle);
  mainWindow->SetMinimiseAnchor(mainWindow);
  RestorePosition(mainWindow);
  mainWindow->SetText(kApplicationTitle);
  mainWindow->SetClientHeight(kInitialClientHeight);
  mainWindow->SetClientWidth(kClientWidth);
  mainWindow->GetFont().SetHeight(kFontHeight);
  mainWindow->SetColour(zemcoms::kWindowColour);
  mainWindow->EnableTabNavigation();
  mainWindow->SetMouseDownHandler(&DragWindow, nullptr);
  mainWindow->SetPaintHandler(&PaintCaptionStrip, nullptr);
  mainWindow->close = {&SavePosition, nullptr};
  mainWindow->SetVisible(true);

  form.logo = std::make_unique<widgets::BitmapObject>(0, 0);
  form.logo->LoadResource(widgets::ModuleInstance(), kLogoBitmap);

  const int width = mainWindow->GetClientWidth();
  form.linkLabel = CreateLinkLabel(mainWindow);

  form.stakeBox = CreateEntryBox(mainWindow, kFreeText, {10, 70, 60, 18}, zemcoms::kFieldColour);
  AttachHint(form.stakeBox, "Поставленная сумма");
  form.stakeBox->SetKeyDownHandler(&zemcoms::EntryKeyDown, nullptr);

  form.wonCountBox =
      CreateEntryBox(mainWindow, kDigitsReadOnly, {80, 70, 30, 18}, zemcoms::kWindowColour);
  AttachHint(form.wonCountBox, "Сыграло");

  form.systemSizeBox =
      CreateEntryBox(mainWindow, kDigitsOnly, {120, 70, 30, 18}, zemcoms::kFieldColour);
  AttachHint(form.systemSizeBox, "Размер системы");
  form.systemSizeBox->SetKeyDownHandler(&zemcoms::EntryKeyDown, nullptr);

  Control* comboLabel = widgets::CreateLabel(mainWindow, "по");
  comboLabel->SetTextAlignment(widgets::kAlignCentre);
  comboLabel->SetLeft(160);
  comboLabel->SetTop(72);
  comboLabel->SetWidth(20);
  comboLabel->SetHeight(22);
  comboLabel->SetFontStyle(0);

  form.comboSizeBox =
      CreateEntryBox(mainWindow, kDigitsOnly, {190, 70, 50, 18}, zemcoms::kFieldColour);
  form.comboSizeBox->SetKeyDownHandler(&zemcoms::EntryKeyDown, nullptr);

  form.resultStrip = widgets::CreateLabel(mainWindow, zemcoms::kResultPlaceholder);
  zemcoms::ApplyFlatFrame(form.resultStrip);
  form.resultStrip->SetTextAlignment(widgets::kAlignLeft);
  form.resultStrip->SetVerticalAlignment(widgets::kVAlignTop);
  form.resultStrip->SetLeft(10);
  form.resultStrip->SetWidth(width - 20);
  form.resultStrip->SetHeight(18);
  form.resultStrip->SetColour(zemcoms::kResultStripColour);
  form.resultStrip->SetFontHeight(kResultStripFontHeight);
  form.resultStrip->SetFontStyle(widgets::kFontBold);
  AttachHint(form.resultStrip, "Вывод результата  или\rсообщения об ошибке");

  form.closeButton = CreateCaptionButton(mainWindow, kCloseGlyph, 2, 1, "Закрыть калькулятор");
  form.minimiseButton = CreateCaptionButton(mainWindow, kMinimiseGlyph, 4, 2, "Свернуть");
  form.aboutButton = CreateCaptionButton(mainWindow, kAboutGlyph, 10, 3, "О программе");

  form.calculateButton = CreateBottomButton(mainWindow, "", kCalculateGlyph, "Рассчитать ставку");
  form.clearAllButton = CreateBottomButton(mainWindow, "Стереть", kClearAllGlyph, "Очистить все");
  form.pasteButton = CreateBottomButton(mainWindow, "Вставить", kPasteGlyph, "Вставить из Excel");
  form.helpButton = CreateBottomButton(mainWindow, "Справка", kHelpGlyph, "Справка");

  form.rowCount = 0;
  zemcoms::AddOddsRow();
  form.stakeBox->SetFocus(true);
}

void RunMainSequence() {
  Control* application = widgets::CreateApplicationObject(kApplicationTitle);
  application->SetVisible(true);
  widgets::SetHelpFile(widgets::ModuleDirectory() + kHelpFileName);
  Control* mainWindow = widgets::CreateForm(application, kApplicationTitle);
  BuildMainWindow(application, mainWindow);
  widgets::RunMessageLoop(application);
  zemcoms::Form() = {};
}

}  // namespace zemko
