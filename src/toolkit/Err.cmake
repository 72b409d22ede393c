# Sources of the Err part of the toolkit.
target_sources(widgets PRIVATE FloatingPoint.cpp)
