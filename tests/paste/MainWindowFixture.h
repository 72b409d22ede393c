// A fresh, fully built main window for each case, and the helpers the paste
// and position cases share.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "commands/CalculatorForm.h"
#include "widgets/Widgets.h"

namespace zemko_test {

// Builds the application object and the main window exactly as the program
// does; the case may run the message loop, which then destroys them.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs before the window is built (the position is read while building).
  virtual void BeforeBuild() {}

  // Runs the real loop until the main window closes; a stuck loop is ended
  // after ten seconds and fails the case.
  void RunUntilClosed();

  static zemcoms::CalculatorForm& Form() { return zemcoms::Form(); }

  widgets::Control* application_ = nullptr;
  widgets::Control* mainWindow_ = nullptr;
};

// Number of EDIT windows on the main window: the four fixed boxes plus the
// odds rows that really exist as windows.
int EditWindowCount(HWND mainWindow);

// The main window's client size as the system sees it.
SIZE ClientSize(HWND window);

}  // namespace zemko_test
