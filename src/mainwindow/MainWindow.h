// The main window: built in code, control by control, at start-up. The
// window is a struct of its controls that start-up owns; every handler gets
// it through its context pointer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "rules/Keys.h"
#include "widgets/Widgets.h"

namespace mainwindow {

// The application title: the taskbar entry's and the main window's caption.
inline constexpr char kApplicationTitle[] = "Земко";
// What the result strip reads before anything was calculated.
inline constexpr char kResultPlaceholder[] = "Результат";

inline constexpr int kMaxOddsRows = rules::kMaxOddsRows;

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

  // Slot i - 1 holds odds row i; slots above the row count are never read.
  std::uint8_t rowCount = 0;
  std::array<widgets::EditBox*, kMaxOddsRows> oddsRows{};

  // A paste is reading the clipboard: a paste click that another program
  // sends meanwhile is ignored.
  bool pasteUnderWay = false;

  // The key-down handler every entry box gets, each new row too.
  widgets::Handler<widgets::KeyHandler> entryKeyDown;
};

// What the commands above the window give it: the click of every bitmap
// button and the key-down of every entry box. Both get the window as their
// context.
struct Commands {
  widgets::NotifyHandler buttonClick = nullptr;
  widgets::KeyHandler entryKeyDown = nullptr;
};

// Builds every control of the main window on the form, with the first odds
// row and the focus in the stake box.
void BuildMainWindow(MainWindow& window, widgets::Control* application, widgets::Form* form,
                     const Commands& commands);

}  // namespace mainwindow
