# The hint window, plain or HTML (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS ElHintWindow.cpp)
endif()
