// Full paths of files in Windows' own folders: what the program loads or
// starts from there is never found by a bare name, which the system would
// look up beside the program first.
#pragma once

#include <string>
#include <string_view>

namespace win {

// "<system folder>\name"; empty where the folder cannot be read.
std::wstring SystemFolderFile(std::wstring_view name);

// "<Windows folder>\name", the one shared by every user; empty where the
// folder cannot be read.
std::wstring WindowsFolderFile(std::wstring_view name);

}  // namespace win
