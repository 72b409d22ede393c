// The main window: built in code, control by control, at start-up. The
// window is a struct of its controls that start-up owns; every handler gets
// it through its context pointer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "ZemResConst.h"
#include "mainwindow/Texts.h"
#include "rules/Keys.h"
#include "skin/Contrast.h"
#include "widgets/Widgets.h"

namespace mainwindow {

inline constexpr int kMaxOddsRows = rules::kMaxOddsRows;

struct MainWindow;

// ---------------------------------------------------------------- buttons

// What a button runs when clicked.
using Command = void (*)(MainWindow& window);

// A button row's command. It has no default, so a row that forgets its
// command does not compile.
struct ButtonCommand {
  explicit constexpr ButtonCommand(Command run) : run(run) {}
  Command run;
};

// Which end of the bottom band a button goes to: the right end's buttons
// stand right to left in the table's order, the left end's left to right.
enum class BandEnd { Right, Left };

// One row per caption strip button, right to left from the strip's right
// end: the slot counts button widths, the offset adds the gaps.
struct CaptionButton {
  widgets::Control* MainWindow::*field;
  int glyph;  // bitmap resource
  int slot;
  int rightOffset;
  const char* hint;
  ButtonCommand command;
};

// One row per button under the rows, made in the table's order and placed
// from it under the result strip.
struct BottomButton {
  widgets::Control* MainWindow::*field;
  int glyph;            // bitmap resource
  const char* caption;  // stored as the text, never drawn
  const char* hint;
  BandEnd end;
  ButtonCommand command;
};

// ---------------------------------------------------------------- window

struct MainWindow {
  widgets::Control* application = nullptr;
  widgets::Form* form = nullptr;

  widgets::EditBox* stakeBox = nullptr;
  widgets::EditBox* wonCountBox = nullptr;    // read-only: the row count
  widgets::EditBox* systemSizeBox = nullptr;  // N
  widgets::EditBox* comboSizeBox = nullptr;   // K, the "по" box
  widgets::Control* comboLabel = nullptr;     // «по» beside it
  widgets::Control* resultStrip = nullptr;
  widgets::Control* linkLabel = nullptr;

  widgets::Control* closeButton = nullptr;
  widgets::Control* minimiseButton = nullptr;
  widgets::Control* aboutButton = nullptr;
  widgets::Control* calculateButton = nullptr;
  widgets::Control* clearAllButton = nullptr;
  widgets::Control* pasteButton = nullptr;
  widgets::Control* helpButton = nullptr;

  std::unique_ptr<widgets::BitmapObject> logo;
  std::vector<skin::ThemedGlyph> glyphButtons;  // every glyph button, in the palette

  // The bottom buttons' table, walked again each time the band moves.
  std::span<const BottomButton> bottomButtons;

  // Slot i - 1 holds odds row i; slots above the row count are never read.
  std::uint8_t rowCount = 0;
  std::array<widgets::EditBox*, kMaxOddsRows> oddsRows{};

  // A paste is reading the clipboard: a paste click that another program
  // sends meanwhile is ignored.
  bool pasteUnderWay = false;

  // The key-down handler every entry box gets, each new row too.
  widgets::Handler<widgets::KeyHandler> entryKeyDown;
};

// What the commands above the window give it: the tables of its buttons,
// the one click handler of every button, which runs the clicked button's
// row, and the key-down of every entry box; both handlers get the window as
// their context.
struct Commands {
  std::span<const CaptionButton> captionButtons;
  std::span<const BottomButton> bottomButtons;
  widgets::NotifyHandler buttonClick = nullptr;
  widgets::KeyHandler entryKeyDown = nullptr;
};

// Builds every control of the main window on the form, with the first odds
// row and the focus in the stake box.
void BuildMainWindow(MainWindow& window, widgets::Control* application, widgets::Form* form,
                     const Commands& commands);

// Gives every surface, text and glyph of the window the colours of the
// palette in force (the design's, or a contrast theme's); what already has
// them is left alone (Theme.cpp).
void ApplyTheme(MainWindow& window);

}  // namespace mainwindow
