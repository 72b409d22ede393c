#include "mainwindow/PositionStore.h"

#include "widgets/Support.h"

namespace mainwindow {

void RestorePosition(widgets::Control* mainWindow) {
  HKEY key = widgets::OpenKeyForReading(HKEY_CURRENT_USER, kPositionKey);
  // A missing key reads as position (0, 0), like a missing value.
  mainWindow->SetTop(widgets::ReadRegistryInteger(key, kTopValue));
  mainWindow->SetLeft(widgets::ReadRegistryInteger(key, kLeftValue));
  widgets::CloseKey(key);
}

void SavePosition(void*, widgets::Control* sender, bool&) {
  HKEY key = widgets::OpenKeyForWriting(HKEY_CURRENT_USER, kPositionKey);
  if (!key) key = widgets::CreateKey(HKEY_CURRENT_USER, kPositionKey);
  // Failures are silent: the close goes on.
  widgets::WriteRegistryInteger(key, kTopValue, sender->GetTop());
  widgets::WriteRegistryInteger(key, kLeftValue, sender->GetLeft());
  widgets::CloseKey(key);
}

}  // namespace mainwindow
