l3d_add_fuzzer(ini_store SOURCES ${CMAKE_SOURCE_DIR}/fuzz/ini_store.cpp LIBS l3d_core)
