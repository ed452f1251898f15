# Widget-layer runtime: drawing routines, base component and window hook, scroll-function hook,
# timer pool. The colour arithmetic is portable; the rest is Windows only.
l3d_sources(CORE ElColorMath.cpp)
if(WIN32)
  l3d_sources(WINDOWS
    ElDrawing.cpp
    ElModuleTools.cpp
    ElScrollHook.cpp
    ElHook.cpp
    ElTimerPool.cpp
  )
endif()
