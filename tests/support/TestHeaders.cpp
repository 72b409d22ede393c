// The translation unit that compiles the test programs' shared headers once
// (see test_headers in the top CMakeLists.txt).
