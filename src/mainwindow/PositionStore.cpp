#include "mainwindow/PositionStore.h"

#include "win/Registry.h"

namespace mainwindow {

void RestorePosition(widgets::Control* mainWindow) {
  const win::RegistryKey key = win::RegistryKey::OpenForReading(HKEY_CURRENT_USER, kPositionKey);
  // A missing key reads as position (0, 0), like a missing value.
  mainWindow->SetTop(key.ReadInteger(kTopValue));
  mainWindow->SetLeft(key.ReadInteger(kLeftValue));
}

void SavePosition(void*, widgets::Control* sender, bool&) {
  win::RegistryKey key = win::RegistryKey::OpenForWriting(HKEY_CURRENT_USER, kPositionKey);
  if (!key) key = win::RegistryKey::Create(HKEY_CURRENT_USER, kPositionKey);
  // Failures are silent: the close goes on.
  key.WriteInteger(kTopValue, sender->GetTop());
  key.WriteInteger(kLeftValue, sender->GetLeft());
}

}  // namespace mainwindow
