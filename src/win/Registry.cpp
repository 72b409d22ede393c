#include "win/Registry.h"

#include "win/WideText.h"

namespace win {

namespace {

HKEY OpenKey(HKEY root, std::string_view path, REGSAM access) {
  HKEY key = nullptr;
  if (!root || RegOpenKeyExW(root, Widen(path).c_str(), 0, access, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

}  // namespace

RegistryKey RegistryKey::OpenForReading(HKEY root, std::string_view path) {
  return RegistryKey(OpenKey(root, path, KEY_READ));
}

RegistryKey RegistryKey::OpenForWriting(HKEY root, std::string_view path) {
  return RegistryKey(OpenKey(root, path, kKeyWriteAccess));
}

RegistryKey RegistryKey::Create(HKEY root, std::string_view path) {
  HKEY key = nullptr;
  if (!root || RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return RegistryKey(key);
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

void RegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

std::int32_t RegistryKey::ReadInteger(std::string_view name) const {
  if (!key_) return 0;
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status = RegQueryValueExW(key_, Widen(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
  return static_cast<std::int32_t>(value);
}

bool RegistryKey::WriteInteger(std::string_view name, std::int32_t value) const {
  if (!key_) return false;
  const DWORD stored = static_cast<DWORD>(value);
  return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&stored), sizeof stored) == ERROR_SUCCESS;
}

}  // namespace win
