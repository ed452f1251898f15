l3d_add_fuzzer(edit_core SOURCES ${CMAKE_SOURCE_DIR}/fuzz/edit_core.cpp LIBS l3d_core)
