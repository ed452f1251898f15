l3d_add_fuzzer(html_prepare SOURCES ${CMAKE_SOURCE_DIR}/fuzz/html_prepare.cpp LIBS l3d_core)
