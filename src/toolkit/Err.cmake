# Sources of the error module, the floating-point environment and the hints.
target_sources(widgets PRIVATE FloatingPoint.cpp Err.cpp Hints.cpp)
