#include "win/Version.h"

#include <cstring>
#include <string_view>

namespace win {

namespace {

// The block's header: its length, its value's length and its type, each a
// WORD, then the key and its zero, padded to 32 bits before the value.
constexpr std::size_t kHeaderWords = 3;
constexpr std::wstring_view kVersionKey{L"VS_VERSION_INFO", 16};
constexpr std::size_t kValueAlignment = 4;
constexpr std::size_t kKeyOffset = kHeaderWords * sizeof(WORD);
constexpr std::size_t kValueOffset = (kKeyOffset + kVersionKey.size() * sizeof(char16_t) +
                                      kValueAlignment - 1) /
                                     kValueAlignment * kValueAlignment;
constexpr WORD kVersionResourceId = VS_VERSION_INFO;
// RT_VERSION is spelt for the ANSI calls; as an integer resource it is the
// same for the wide ones.
const LPCWSTR kVersionResourceType = reinterpret_cast<LPCWSTR>(RT_VERSION);

WORD WordAt(std::span<const std::byte> block, std::size_t offset) {
  WORD word;
  std::memcpy(&word, block.data() + offset, sizeof word);
  return word;
}

}  // namespace

std::optional<VS_FIXEDFILEINFO> FixedFileInfoOf(std::span<const std::byte> block) {
  if (block.size() < kValueOffset + sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
  const WORD length = WordAt(block, 0);
  const WORD valueLength = WordAt(block, sizeof(WORD));
  if (length > block.size() || length < kValueOffset + sizeof(VS_FIXEDFILEINFO) ||
      valueLength < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < kVersionKey.size(); ++i) {
    if (WordAt(block, kKeyOffset + i * sizeof(char16_t)) != kVersionKey[i]) return std::nullopt;
  }
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, block.data() + kValueOffset, sizeof info);
  if (info.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
  return info;
}

std::optional<VS_FIXEDFILEINFO> ModuleFixedFileInfo(HMODULE module) {
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kVersionResourceId),
                                 kVersionResourceType);
  if (!resource) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, resource);
  if (!data || size == 0) return std::nullopt;
  return FixedFileInfoOf({static_cast<const std::byte*>(data), size});
}

}  // namespace win
