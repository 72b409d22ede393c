// The monkey's events: drawn from a seeded generator alone, so a seed gives
// the same sequence on every run, and performed as a user would (SendInput,
// the real clipboard).
#pragma once

#include <windows.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zemko_monkey {

enum class EventKind : std::uint8_t {
  Key,         // a virtual key, with modifiers
  Character,   // a Cyrillic letter, typed as a Unicode key event
  Click,       // a button of the main window
  ClickBox,    // an edit box of the main window, to put the focus there
  Paste,       // a new clipboard, then the paste button
  Drag,        // the caption strip, moved by an offset
  CloseAbout,  // the close button of the newest About window, if any
};

// Buttons the monkey may press; help and the link start other programs and
// close ends the run, so they are left out.
enum class Button : std::uint8_t { About, Minimise, ClearAll, Calculate, Paste };

enum class ClipboardKind : std::uint8_t { Empty, ImageOnly, RandomBytes, LongLine, Cells };

struct Event {
  EventKind kind = EventKind::Key;
  WORD key = 0;  // Key: the virtual key; Character: the UTF-16 letter
  bool shift = false, ctrl = false, alt = false;
  Button button = Button::ClearAll;
  int box = 0;  // ClickBox: 0 stake, 1 N, 2 K, 3.. odds rows
  ClipboardKind clipboard = ClipboardKind::Empty;
  std::uint32_t clipboardSeed = 0;
  std::size_t clipboardSize = 0;
  int dx = 0, dy = 0;  // Drag

  std::string Describe() const;
};

// Draws the next event.
Event NextEvent(std::mt19937& random);

// The clipboard text of a Paste event, made from its own seed and size.
std::string ClipboardText(const Event& event);

// The main window and what the monkey needs to act on it.
struct Target {
  HWND mainWindow;
  HWND application;
};

// Performs the event; false when it could not be carried out as intended
// (a window missing that must be there).
bool Perform(const Event& event, const Target& target);

// Drags whose move loop went on after the button was released (see
// EndAnOutlivingMove); the monkey ends them with one more click.
int MovesOutlivingTheirButton();

// The visible About windows of this process, newest first.
std::vector<HWND> AboutWindows();

// Brings the About window up and clicks its close button.
void CloseAbout(HWND about);

// Clicks a point of a window's client area with the left button.
void ClickAt(HWND window, int x, int y);

// The EDIT windows on a window: the four fixed boxes and the odds rows.
int EditBoxCount(HWND window);

}  // namespace zemko_monkey
