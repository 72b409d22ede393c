#include "win/Folders.h"

#include <windows.h>

namespace win {

namespace {

// GetSystemDirectoryW and its kin: the folder into a buffer of the size.
using FolderQuery = UINT(WINAPI*)(LPWSTR, UINT);

std::wstring FolderFile(FolderQuery query, std::wstring_view name) {
  const UINT size = query(nullptr, 0);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  const UINT length = query(path.data(), size);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  path += L'\\';
  path += name;
  return path;
}

}  // namespace

std::wstring SystemFolderFile(std::wstring_view name) {
  return FolderFile(GetSystemDirectoryW, name);
}

std::wstring WindowsFolderFile(std::wstring_view name) {
  return FolderFile(GetSystemWindowsDirectoryW, name);
}

}  // namespace win
