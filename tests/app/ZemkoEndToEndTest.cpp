// The built program as its user meets it: started as a process of its own,
// a bet typed on the keyboard into its window, the payout read back from
// the result strip, then closed; it ends with exit code 0 and leaves its
// position in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/PositionRegistry.h"
#include "support/WindowTestSupport.h"
#include "support/ZemkoDriving.h"
#include "support/ZemkoRun.h"

namespace {

using namespace zemko_test;

constexpr DWORD kResultTime = 10000;

class ZemkoEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    DeletePositionKey();
    ASSERT_TRUE(run_.Start());
    window_ = run_.MainWindow();
  }

  void TearDown() override { DeletePositionKey(); }

  // Closes the window as the close button does and waits for the exit code.
  DWORD CloseAndWait() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return run_.WaitForExit();
  }

  ZemkoRun run_{ZEMKO_EXE};
  HWND window_ = nullptr;
};

}  // namespace

TEST_F(ZemkoEndToEnd, ATypedBetShowsItsPayoutAndTheProgramClosesCleanly) {
  // First start: the top-left corner, a 250 x 190 client area, the focus
  // in the stake box and the result strip waiting.
  RECT outer, client;
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  EXPECT_EQ(0, outer.left);
  EXPECT_EQ(0, outer.top);
  EXPECT_EQ(250, client.right);
  EXPECT_EQ(190, client.bottom);
  HWND strip = ResultStrip(window_);
  ASSERT_NE(nullptr, strip);
  EXPECT_EQ("Результат", TextOf(strip));

  ASSERT_TRUE(InputKeysInto(window_, ExampleBet()));
  EXPECT_TRUE(WaitForResult(window_, "2600,00", kResultTime)) << TextOf(strip);

  // What was typed is in the boxes: four fixed ones and three rows.
  const std::vector<HWND> edits = ChildrenOfClass(window_, "Edit");
  std::vector<std::string> texts;
  for (HWND edit : edits) texts.push_back(TextOf(edit));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ((std::vector<std::string>{"2", "2", "3", "3", "3", "300", "4"}), texts)
      << "stake, won count, N, K and the rows";
  GetClientRect(window_, &client);
  EXPECT_EQ(246, client.bottom) << "three rows";
  // The calculation leaves the focus in the "по" box.
  HWND focus = FocusOf(window_);
  EXPECT_EQ("2", TextOf(focus));

  EXPECT_EQ(0u, CloseAndWait());

  // The close saved the position.
  EXPECT_EQ(ReadValue("Top"), DwordValue("Top", 0));
  EXPECT_EQ(ReadValue("Left"), DwordValue("Left", 0));
}

TEST_F(ZemkoEndToEnd, NumpadMinusTypedInARowClearsTheBet) {
  std::vector<Key> keys = Keys("150");
  keys.push_back({VK_RETURN});
  for (const char* odds : {"2", "3", "4", "5", "6"}) {
    for (const Key& k : Keys(odds)) keys.push_back(k);
    keys.push_back({VK_RETURN});
  }
  keys.push_back({VK_SUBTRACT});
  ASSERT_TRUE(InputKeysInto(window_, keys));
  Sleep(300);
  RECT client;
  GetClientRect(window_, &client);
  EXPECT_EQ(190, client.bottom);
  EXPECT_EQ(5u, ChildrenOfClass(window_, "Edit").size());
  EXPECT_EQ("Результат", TextOf(ResultStrip(window_)));
  HWND focus = FocusOf(window_);
  EXPECT_EQ("150", TextOf(focus)) << "the stake keeps its text and the focus";

  EXPECT_EQ(0u, CloseAndWait());
}

// Numpad minus and plus run their command and type nothing: the stake
// survives a clear-all made from its own box, and the row left by numpad plus
// keeps its odds without a "+", so the example bet still pays in full.
TEST_F(ZemkoEndToEnd, NumpadKeysRunTheirCommandWithoutTypingTheirCharacter) {
  std::vector<Key> keys = Keys("300");
  keys.push_back({VK_SUBTRACT});  // clear-all; the stake stays, selected
  keys.push_back({VK_RETURN});
  for (const char* odds : {"2", "3"}) {
    for (const Key& k : Keys(odds)) keys.push_back(k);
    keys.push_back({VK_RETURN});
  }
  for (const Key& k : Keys("4")) keys.push_back(k);
  keys.push_back({VK_ADD});  // to the system size, selected
  for (const Key& k : Keys("3")) keys.push_back(k);
  keys.push_back({VK_RETURN});
  for (const Key& k : Keys("2")) keys.push_back(k);
  keys.push_back({VK_RETURN});
  ASSERT_TRUE(InputKeysInto(window_, keys));
  EXPECT_TRUE(WaitForResult(window_, "2600,00", kResultTime)) << TextOf(ResultStrip(window_));
  std::vector<std::string> texts;
  for (HWND edit : ChildrenOfClass(window_, "Edit")) texts.push_back(TextOf(edit));
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ((std::vector<std::string>{"2", "2", "3", "3", "3", "300", "4"}), texts);

  EXPECT_EQ(0u, CloseAndWait());
}
