# The error module and the hints: fault translation in process, the error box of an
# uncaught exception seen from outside, as a user would.
zemko_add_gtest(ErrTest
  SOURCES ErrTest.cpp
  LIBS widgets
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})

add_executable(ErrBoxProgram WIN32 ErrBoxProgram.cpp)
target_link_libraries(ErrBoxProgram PRIVATE widgets)
# A console entry point although the program has windows.
target_link_options(ErrBoxProgram PRIVATE -mconsole)
zemko_add_gtest(ErrBoxTest
  SOURCES ErrBoxTest.cpp
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})
add_dependencies(ErrBoxTest ErrBoxProgram)

zemko_add_gtest(HintsTest
  SOURCES HintsTest.cpp WindowTestSupport.cpp
  LIBS widgets
  LABELS toolkit windows
  PROPERTIES ${ZEMKO_GUI_TEST_PROPERTIES})
