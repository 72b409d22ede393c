// Shared inside the error module: where an address lies, and the box.
#pragma once

#include <windows.h>

#include <string>

namespace err {

// The module that holds the address, or null when none does.
HMODULE ModuleOf(const void* address);
// The file name of a path, without its folders.
std::string FileNameOnly(const std::string& path);
// The error box for a message raised at the address (null: unknown).
void ShowErrorBox(const std::string& message, const void* address);

}  // namespace err
