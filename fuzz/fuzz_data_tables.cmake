l3d_add_fuzzer(data_tables SOURCES ${CMAKE_SOURCE_DIR}/fuzz/data_tables.cpp LIBS l3d_core)
