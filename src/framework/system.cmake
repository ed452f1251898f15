# Services of the operating system: command-line splitting, file search by mask and full path
# names (portable, with the system's own answers on Windows), the memory the process has left,
# and the registry (Windows only).
l3d_sources(CORE CommandLine.cpp FileSystem.cpp)
if(WIN32)
  l3d_sources(CORE FileSystem_win.cpp MemoryStatus_win.cpp)
  l3d_sources(WINDOWS Registry.cpp)
else()
  l3d_sources(CORE FileSystem_posix.cpp MemoryStatus_posix.cpp)
endif()
