// Runs the fuzz target on a fixed stream of pseudo-random texts, so the
// ordinary test run exercises it without libFuzzer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(ConversionsFuzzSmoke, SurvivesRandomTexts) {
  const std::string alphabet = "0123456789.,+- eE\t\r\n\xC0\xFF";
  std::mt19937 random(7);
  int runs = 0;
  for (; runs < 20000; ++runs) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    ASSERT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(text.data()),
                                     text.size()),
              0);
  }
  EXPECT_EQ(runs, 20000);
}
