l3d_add_fuzzer(scan_files SOURCES ${CMAKE_SOURCE_DIR}/fuzz/scan_files.cpp LIBS l3d_core)
