// Runs every fuzz target on a fixed stream of pseudo-random inputs, so the
// ordinary test run exercises them without libFuzzer: texts of the alphabet
// each target cares about, and bitmap headers with a few bytes changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

using Target = int (*)(const std::uint8_t*, std::size_t);
int ConversionsFuzz(const std::uint8_t* data, std::size_t size);
int BetCheckFuzz(const std::uint8_t* data, std::size_t size);
int PasteFuzz(const std::uint8_t* data, std::size_t size);
int Windows1251Fuzz(const std::uint8_t* data, std::size_t size);
int PackedBitmapFuzz(const std::uint8_t* data, std::size_t size);

namespace {

struct TextStream {
  const char* name;
  Target target;
  std::string alphabet;  // empty: any byte
  std::size_t maxLength;
  int runs;
};

const TextStream kStreams[] = {
    {"conversions", ConversionsFuzz, "0123456789.,+- eE\t\r\n\xC0\xFF", 40, 20000},
    {"bet check", BetCheckFuzz, "0123456789,.\n\n\n-x", 60, 5000},
    {"paste", PasteFuzz, std::string("\r\t\n  1,5x\xC0", 11), 2600, 2000},
    {"Windows-1251", Windows1251Fuzz, "", 64, 20000},
};

TEST(FuzzSmoke, EveryTargetSurvivesRandomInputs) {
  std::mt19937 random(7);
  for (const TextStream& stream : kStreams) {
    for (int run = 0; run < stream.runs; ++run) {
      std::string input(random() % (stream.maxLength + 1), ' ');
      for (char& c : input) {
        c = stream.alphabet.empty() ? static_cast<char>(random())
                                    : stream.alphabet[random() % stream.alphabet.size()];
      }
      ASSERT_EQ(stream.target(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()), 0)
          << stream.name;
    }
  }
  // A 4 x 4 bitmap of 8 bits a pixel, a few header bytes changed and cut
  // anywhere.
  constexpr std::size_t kHeader = 40, kTable = 256 * 4, kPixels = 16;
  std::string bitmap(kHeader + kTable + kPixels, '\0');
  const unsigned char header[] = {40, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0, 0, 1, 0, 8, 0};
  bitmap.replace(0, sizeof header, reinterpret_cast<const char*>(header), sizeof header);
  for (int run = 0; run < 20000; ++run) {
    std::string input = bitmap;
    for (int change = 0; change < 3; ++change)
      input[random() % kHeader] = static_cast<char>(random());
    input.resize(random() % (input.size() + 1));
    ASSERT_EQ(PackedBitmapFuzz(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()),
              0);
  }
}

}  // namespace
