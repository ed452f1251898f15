# The shared routines on controls: text direction and the serial-port list (the print spooler's
# port list comes from winspool).
if(WIN32)
  l3d_sources(WINDOWS GlobalsControls.cpp)
  l3d_system_libraries(winspool)
endif()
