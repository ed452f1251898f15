# Drawing tools, canvas, bitmaps, icons and image lists over GDI (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS Graphics.cpp Canvas.cpp Bitmap.cpp Icon.cpp ImageList.cpp)
endif()
