# Sources of the Support part of the toolkit.
target_sources(widgets PRIVATE Support.cpp)
