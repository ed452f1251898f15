l3d_add_fuzzer(stream_strings SOURCES ${CMAKE_SOURCE_DIR}/fuzz/stream_strings.cpp LIBS l3d_core)
