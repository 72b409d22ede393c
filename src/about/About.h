// The About window and the version text it shows.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/Widgets.h"

namespace about {

// Module set-up and tear-down: the version block of the program file, read
// when the first About window wants it and released at the end.
void Initialise();
void Finalise();

// Reads the program file's version block.
void ReadVersionInfo();
// The file version as "a.b.c.d" (the block read first, once the module is
// set up); empty without a readable version block.
std::string VersionString();
// The four numbers of a file version record's file version, "a.b.c.d".
std::string FormatFileVersion(const VS_FIXEDFILEINFO& info);

// Builds a new modeless About window over the main window and shows it.
void ShowAboutWindow(widgets::Control* mainWindow);
void PaintAboutCaption(void* context, widgets::Control* sender, HDC dc);
void CloseAboutWindow(void* context, widgets::Control* sender);

}  // namespace about
