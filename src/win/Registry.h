// Registry keys that close themselves, and the REG_DWORD integers the
// program keeps in them. Every failure reads as a key that is not there:
// reads give 0, writes do nothing and say false.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace win {

// Read access plus what writing a value and creating the missing parts of a
// path need (0x2001F), and nothing more.
inline constexpr REGSAM kKeyWriteAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

class RegistryKey {
 public:
  // RegOpenKeyEx with KEY_READ, or with kKeyWriteAccess.
  static RegistryKey OpenForReading(HKEY root, std::string_view path);
  static RegistryKey OpenForWriting(HKEY root, std::string_view path);
  // RegCreateKeyEx: creates the missing parts of the path, opens the key if
  // it exists.
  static RegistryKey Create(HKEY root, std::string_view path);

  RegistryKey() = default;
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { Close(); }

  explicit operator bool() const { return key_ != nullptr; }
  HKEY Handle() const { return key_; }

  // A REG_DWORD read as a signed value; 0 without a key, for a missing
  // value or a value of another type or size.
  std::int32_t ReadInteger(std::string_view name) const;
  // Stores the value's 32-bit two's complement as REG_DWORD; false without
  // a key or when the system refuses.
  bool WriteInteger(std::string_view name, std::int32_t value) const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  void Close();

  HKEY key_ = nullptr;
};

}  // namespace win
