# Test programs for SupportTests.
# The clipboard and the registry are shared with the other desktop tests.
zemko_add_gtest(SupportTest
  SOURCES SupportTest.cpp
  LIBS widgets
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})
