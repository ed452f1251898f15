l3d_add_fuzzer(dvc_file SOURCES ${CMAKE_SOURCE_DIR}/fuzz/dvc_file.cpp LIBS l3d_core)
