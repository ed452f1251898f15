# Framework exceptions, streams, text conversions and registry value bytes.
l3d_add_test(framework_streams SOURCES ${CMAKE_CURRENT_LIST_DIR}/streams_test.cpp LIBS l3d_core)
l3d_add_test(framework_little_endian_bytes
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/little_endian_bytes_test.cpp ${CMAKE_CURRENT_LIST_DIR}/byte_reader_test.cpp
  LIBS l3d_core)
l3d_add_test(framework_registry_data SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_data_test.cpp LIBS l3d_core)
