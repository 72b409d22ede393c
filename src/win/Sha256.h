// SHA-256, computed here: the system's providers are libraries found by
// name, and the check of the help file must not rest on one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace win {

class Sha256 {
 public:
  static constexpr std::size_t kDigestSize = 32;
  using Digest = std::array<std::uint8_t, kDigestSize>;

  // Feeds bytes in pieces of any size.
  void Add(const void* bytes, std::size_t size);
  // The digest of everything fed; the object is spent.
  Digest Finish();

 private:
  static constexpr std::size_t kBlockSize = 64;
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::array<std::uint8_t, kBlockSize> block_{};
  std::size_t filled_ = 0;
  std::uint64_t length_ = 0;
};

}  // namespace win
