# Drawing routines of the widget layer: the colour arithmetic (portable) and the painting
# routines on device contexts (Windows).
l3d_sources(CORE ElColorMath.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElDrawing.cpp)
endif()
