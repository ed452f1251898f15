l3d_add_fuzzer(settings_payload SOURCES ${CMAKE_SOURCE_DIR}/fuzz/settings_payload.cpp LIBS l3d_core)
