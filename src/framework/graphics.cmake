# Drawing tools, canvas, bitmaps, icons, image lists, the scoped GDI objects and the drawing
# surface over GDI (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS Graphics.cpp Canvas.cpp Bitmap.cpp Icon.cpp ImageList.cpp ScopedGdi.cpp
              GdiSurface.cpp)
endif()
