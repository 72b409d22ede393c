# Sources of the Widgets part of the toolkit.
target_sources(widgets PRIVATE
  Application.cpp
  BitmapButton.cpp
  BitmapObject.cpp
  Control.cpp
  ControlWindow.cpp
  Font.cpp
  Navigation.cpp)
