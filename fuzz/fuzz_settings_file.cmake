l3d_add_fuzzer(settings_file SOURCES ${CMAKE_SOURCE_DIR}/fuzz/settings_file.cpp LIBS l3d_core)
