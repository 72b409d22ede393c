// A program file without a version block (this test program links none of
// the program's resources): the version text is empty and nothing fails,
// not even an About window built on it.
#include <windows.h>

#include "about/About.h"
#include "support/WindowTestSupport.h"

namespace {

bool ProgramHasVersionBlock() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD unused = 0;
  return GetFileVersionInfoSizeA(path, &unused) != 0;
}

TEST(NoVersionBlock, VersionStringIsEmpty) {
  ASSERT_FALSE(ProgramHasVersionBlock());
  EXPECT_NO_THROW(about::Initialise());
  EXPECT_EQ("", about::VersionString());
  EXPECT_EQ("", about::VersionString());
  EXPECT_NO_THROW(about::Finalise());
}

// The free-standing test form stands in for the main window.
class NoVersionAboutWindow : public zemko_test::FormTest {
 protected:
  void SetUp() override {
    about::Initialise();
    FormTest::SetUp();
  }
  void TearDown() override {
    FormTest::TearDown();
    about::Finalise();
  }
};

TEST_F(NoVersionAboutWindow, ShowsTheVersionLineWithoutNumbers) {
  ASSERT_FALSE(ProgramHasVersionBlock());
  ASSERT_EQ(0, form_->ChildCount());
  ASSERT_NO_THROW(about::ShowAboutWindow(form_));
  zemko_test::PumpMessages();
  ASSERT_EQ(1, form_->ChildCount());
  widgets::Control* about = form_->ChildAt(0);
  EXPECT_TRUE(IsWindowVisible(about->EnsureWindow()));

  // Close button, title, version line, maker line.
  ASSERT_EQ(4, about->ChildCount());
  EXPECT_EQ("Версия : ", about->ChildAt(2)->GetText());
  EXPECT_EQ("Букмекерский калькулятор", about->ChildAt(1)->GetText());
}

}  // namespace
