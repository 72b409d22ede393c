#include "win/Sha256.h"

#include <algorithm>
#include <cstring>

namespace win {

namespace {

constexpr std::uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
constexpr std::size_t kRounds = 64;
constexpr std::size_t kScheduleWords = 16;
constexpr std::uint8_t kPaddingStart = 0x80;
constexpr std::size_t kLengthSize = 8;
constexpr int kBitsPerByte = 8;

constexpr std::uint32_t RotateRight(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

}  // namespace

// The rotations and shifts are those of FIPS 180-4, section 4.1.2.
void Sha256::Compress(const std::uint8_t* block) {
  std::uint32_t w[kRounds];
  for (std::size_t i = 0; i < kScheduleWords; ++i) {
    w[i] = std::uint32_t{block[4 * i]} << 24 | std::uint32_t{block[4 * i + 1]} << 16 |
           std::uint32_t{block[4 * i + 2]} << 8 | std::uint32_t{block[4 * i + 3]};
  }
  for (std::size_t i = kScheduleWords; i < kRounds; ++i) {
    const std::uint32_t s0 = RotateRight(w[i - 15], 7) ^ RotateRight(w[i - 15], 18) ^
                             (w[i - 15] >> 3);
    const std::uint32_t s1 = RotateRight(w[i - 2], 17) ^ RotateRight(w[i - 2], 19) ^
                             (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  auto [a, b, c, d, e, f, g, h] = state_;
  for (std::size_t i = 0; i < kRounds; ++i) {
    const std::uint32_t t1 = h + (RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25)) +
                             ((e & f) ^ (~e & g)) + kRoundConstants[i] + w[i];
    const std::uint32_t t2 = (RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22)) +
                             ((a & b) ^ (a & c) ^ (b & c));
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  const std::uint32_t added[] = {a, b, c, d, e, f, g, h};
  for (std::size_t i = 0; i < state_.size(); ++i) state_[i] += added[i];
}

void Sha256::Add(const void* bytes, std::size_t size) {
  const auto* in = static_cast<const std::uint8_t*>(bytes);
  length_ += size;
  while (size > 0) {
    const std::size_t take = std::min(size, kBlockSize - filled_);
    std::memcpy(block_.data() + filled_, in, take);
    filled_ += take;
    in += take;
    size -= take;
    if (filled_ == kBlockSize) {
      Compress(block_.data());
      filled_ = 0;
    }
  }
}

Sha256::Digest Sha256::Finish() {
  const std::uint64_t bits = length_ * kBitsPerByte;
  const std::uint8_t start = kPaddingStart;
  Add(&start, 1);
  const std::uint8_t zero = 0;
  while (filled_ != kBlockSize - kLengthSize) Add(&zero, 1);
  std::uint8_t length[kLengthSize];
  for (std::size_t i = 0; i < kLengthSize; ++i)
    length[i] = static_cast<std::uint8_t>(bits >> (kBitsPerByte * (kLengthSize - 1 - i)));
  Add(length, kLengthSize);
  Digest digest;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    for (std::size_t j = 0; j < 4; ++j)
      digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (kBitsPerByte * (3 - j)));
  }
  return digest;
}

}  // namespace win
