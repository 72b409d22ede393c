// The main window: built in code, control by control, at start-up. The
// window is a struct of its controls that start-up owns; every handler gets
// it through its context pointer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "ZemResConst.h"
#include "mainwindow/Texts.h"
#include "rules/Keys.h"
#include "widgets/Widgets.h"

namespace mainwindow {

inline constexpr int kMaxOddsRows = rules::kMaxOddsRows;

struct MainWindow;

// ---------------------------------------------------------------- buttons

// A button's click handler, made for its one command by Runs below. It has
// no default, so a button row that forgets its command does not compile.
struct OnClick {
  explicit constexpr OnClick(widgets::NotifyHandler handler) : handler(handler) {}
  widgets::NotifyHandler handler;
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
  OnClick click;
};

// One row per button under the rows, made in the table's order and placed
// from it under the result strip.
struct BottomButton {
  widgets::Control* MainWindow::*field;
  int glyph;            // bitmap resource
  const char* caption;  // stored as the text, never drawn
  const char* hint;
  BandEnd end;
  OnClick click;
};

// ---------------------------------------------------------------- window

struct MainWindow {
  widgets::Control* application = nullptr;
  widgets::Form* form = nullptr;

  widgets::EditBox* stakeBox = nullptr;
  widgets::EditBox* wonCountBox = nullptr;    // read-only: the row count
  widgets::EditBox* systemSizeBox = nullptr;  // N
  widgets::EditBox* comboSizeBox = nullptr;   // K, the "по" box
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

// What a button runs when clicked.
using Command = void (*)(MainWindow& window);

// The click handler of a button that runs `command`; its context is the
// window. Each button has its own, so no handler has to find its sender.
template <Command command>
consteval OnClick Runs() {
  static_assert(command != nullptr, "a button runs a command");
  return OnClick{
      [](void* context, widgets::Control*) { command(*static_cast<MainWindow*>(context)); }};
}

// What the commands above the window give it: the tables of its buttons,
// whose clicks run the commands, and the key-down of every entry box, whose
// context is the window.
struct Commands {
  std::span<const CaptionButton> captionButtons;
  std::span<const BottomButton> bottomButtons;
  widgets::KeyHandler entryKeyDown = nullptr;
};

// Builds every control of the main window on the form, with the first odds
// row and the focus in the stake box.
void BuildMainWindow(MainWindow& window, widgets::Control* application, widgets::Form* form,
                     const Commands& commands);

}  // namespace mainwindow
