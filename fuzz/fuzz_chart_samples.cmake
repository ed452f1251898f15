l3d_add_fuzzer(chart_samples SOURCES ${CMAKE_SOURCE_DIR}/fuzz/chart_samples.cpp LIBS l3d_core)
