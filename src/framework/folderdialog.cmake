# The system's folder browser behind its seam (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS FolderDialog.cpp)
endif()
