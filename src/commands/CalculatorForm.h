// The calculator form state: the references to the main window's controls,
// set once while the window is built, and the odds rows.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "widgets/Widgets.h"

namespace zemcoms {

inline constexpr int kMaxOddsRows = 20;

struct CalculatorForm {
  widgets::Control* application = nullptr;
  widgets::Control* mainWindow = nullptr;

  widgets::Control* stakeBox = nullptr;
  widgets::Control* wonCountBox = nullptr;    // read-only: the row count
  widgets::Control* systemSizeBox = nullptr;  // N
  widgets::Control* comboSizeBox = nullptr;   // K, the "по" box
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
  std::array<widgets::Control*, kMaxOddsRows> oddsRows{};
};

// The program's one calculator form.
CalculatorForm& Form();

}  // namespace zemcoms
