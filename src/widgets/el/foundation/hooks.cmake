# The base component's window hook and the scroll-function hook, with the memory queries and the
# named shared block the scroll-function hook uses (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS ElModuleTools.cpp ElScrollHook.cpp ElHook.cpp)
endif()
