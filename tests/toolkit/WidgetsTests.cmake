# Test programs for WidgetsTests.
# They drive real windows under Wine, one program at a time.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
enable_language(RC)

set(widgets_test_res ${CMAKE_CURRENT_BINARY_DIR}/widgets-test-res)
add_custom_command(
  OUTPUT ${widgets_test_res}/WidgetsTestResources.rc
  BYPRODUCTS ${widgets_test_res}/glyph12.bmp ${widgets_test_res}/glyph24.bmp
             ${widgets_test_res}/twoglyphs.bmp ${widgets_test_res}/logo.bmp
             ${widgets_test_res}/main.ico
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/WidgetsTestResources.py
          ${widgets_test_res}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/WidgetsTestResources.py
  COMMENT "Writing the widget tests' bitmaps")

zemko_add_gtest(WidgetsTest
  SOURCES WidgetsControlTest.cpp WidgetsEventsTest.cpp WidgetsNavigationTest.cpp
          WidgetsClosingTest.cpp WidgetsBitmapTest.cpp WindowTestSupport.cpp
          ${widgets_test_res}/WidgetsTestResources.rc
  LIBS widgets
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})
# windres finds the bitmaps beside the script it reads.
target_include_directories(WidgetsTest PRIVATE ${widgets_test_res})

# A program without an icon resource: its windows simply get none.
zemko_add_gtest(WidgetsNoIconTest
  SOURCES WidgetsNoIconTest.cpp WindowTestSupport.cpp
  LIBS widgets
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})
