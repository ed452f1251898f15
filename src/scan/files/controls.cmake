# Routines of the program's windows that work on controls: the active language's reading
# direction applied to a control, and the serial-port list of the dialogs (registry, with the
# print spooler as fallback).
if(WIN32)
  l3d_sources(WINDOWS TextDirection.cpp ComPortList.cpp)
  l3d_system_libraries(winspool)
endif()
