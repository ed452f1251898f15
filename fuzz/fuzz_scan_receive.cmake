l3d_add_fuzzer(scan_receive SOURCES ${CMAKE_SOURCE_DIR}/fuzz/scan_receive.cpp LIBS l3d_core)
