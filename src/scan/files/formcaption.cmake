# The caption-bar text of the program's windows (Win32: the caption painter is a window hook).
if(WIN32)
  l3d_sources(WINDOWS FormCaptionText.cpp)
endif()
