#include "support/ShellOpenCommand.h"

namespace zemko_test {

namespace {
constexpr char kKey[] = "http\\shell\\open\\command";
constexpr DWORD kValueBufferSize = 1024;
}  // namespace

ShellOpenCommand::ShellOpenCommand(const std::string& command) {
  RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  if (!key_) return;
  char value[kValueBufferSize] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  if (RegQueryValueExA(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
      ERROR_SUCCESS) {
    saved_.assign(value);
    hadValue_ = true;
  }
  RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>(command.size() + 1));
}

ShellOpenCommand::~ShellOpenCommand() {
  if (!key_) return;
  if (hadValue_) {
    RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_.c_str()),
                   static_cast<DWORD>(saved_.size() + 1));
  } else {
    RegDeleteValueA(key_, nullptr);
  }
  RegCloseKey(key_);
}

}  // namespace zemko_test
