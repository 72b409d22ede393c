// The maker's web-site link under the caption strip.
#pragma once

#include "mainwindow/MainWindow.h"
#include "widgets/Widgets.h"

namespace mainwindow {

inline constexpr char kMakerAddress[] = "http://vadrex.example";

// Creates the link label on the main window with its look and handlers.
widgets::Control* CreateLinkLabel(MainWindow& window);

void LinkMouseEnter(void* context, widgets::Control* sender);
void LinkMouseLeave(void* context, widgets::Control* sender);
void LinkClick(void* context, widgets::Control* sender);

}  // namespace mainwindow
