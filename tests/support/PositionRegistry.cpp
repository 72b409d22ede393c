#include "support/PositionRegistry.h"

#include <cstring>
#include <string_view>

namespace zemko_test {

namespace {

constexpr DWORD kNoOptions = 0;

std::string VendorKey() {
  const std::string_view position = kPositionKey;
  return std::string(position.substr(0, position.rfind('\\')));
}

void DeleteTree(const char* path) {
  RegDeleteTreeA(HKEY_CURRENT_USER, path);
  RegDeleteKeyA(HKEY_CURRENT_USER, path);  // in case the tree call left it
}

}  // namespace

void DeletePositionKey() { DeleteTree(kPositionKey); }
void DeleteVendorKey() { DeleteTree(VendorKey().c_str()); }

bool PositionKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void PrintTo(const RawValue& value, std::ostream* out) {
  *out << value.name << " (type " << value.type << "):";
  for (BYTE byte : value.data) *out << ' ' << static_cast<int>(byte);
}

RawValue DwordValue(const char* name, std::uint32_t value) {
  RawValue raw{name, REG_DWORD, std::vector<BYTE>(sizeof value)};
  std::memcpy(raw.data.data(), &value, sizeof value);
  return raw;
}

RawValue TextValue(const char* name, const char* text) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
  return {name, REG_SZ, std::vector<BYTE>(bytes, bytes + std::strlen(text) + 1)};
}

bool StoreValues(const std::vector<RawValue>& values) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, nullptr, kNoOptions, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool stored = true;
  for (const RawValue& value : values) {
    stored = stored && RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(),
                                      static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return stored;
}

std::optional<RawValue> ReadValue(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kPositionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue raw{name, REG_NONE, std::vector<BYTE>(64)};
  DWORD size = static_cast<DWORD>(raw.data.size());
  const LONG status = RegQueryValueExA(key, name, nullptr, &raw.type, raw.data.data(), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  raw.data.resize(size);
  return raw;
}

bool MakeVendorKeyVolatile() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, VendorKey().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

}  // namespace zemko_test
