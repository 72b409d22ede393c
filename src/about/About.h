// The About window and the version text it shows.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/Widgets.h"

namespace about {

// Module set-up and tear-down: the program's version, read at start-up from
// its image and released at the end.
void Initialise();
void Finalise();

// Reads the program's version from its version resource.
void ReadVersionInfo();
// The file version as "a.b.c.d", as read at start-up; empty before that and
// without a version resource.
std::string VersionString();
// The four numbers of a file version record's file version, "a.b.c.d".
std::string FormatFileVersion(const VS_FIXEDFILEINFO& info);

// Builds a new modeless About window over the main window and shows it.
void ShowAboutWindow(widgets::Control* mainWindow);
void PaintAboutCaption(void* context, widgets::Control* sender, HDC dc);
void CloseAboutWindow(void* context, widgets::Control* sender);

}  // namespace about
