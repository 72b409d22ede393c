// The main window's screen position, kept in the per-user registry.
#pragma once

#include "widgets/Widgets.h"

namespace mainwindow {

inline constexpr char kPositionKey[] = "software\\Vadrex\\Zemko";
inline constexpr char kTopValue[] = "Top";
inline constexpr char kLeftValue[] = "Left";

// Top and left as stored; 0 for whatever is missing or unreadable.
void RestorePosition(widgets::Control* mainWindow);
// The main window's close handler: writes the position, never refuses.
void SavePosition(void* context, widgets::Control* sender, bool& accept);

}  // namespace mainwindow
