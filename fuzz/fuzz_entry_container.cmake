l3d_add_fuzzer(entry_container SOURCES ${CMAKE_SOURCE_DIR}/fuzz/entry_container.cpp LIBS l3d_core)
