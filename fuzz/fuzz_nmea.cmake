l3d_add_fuzzer(nmea SOURCES ${CMAKE_SOURCE_DIR}/fuzz/nmea.cpp LIBS l3d_core)
