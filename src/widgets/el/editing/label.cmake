# The label (Win32).
if(WIN32)
  l3d_sources(WINDOWS ElLabel.cpp)
endif()
