# Opening scans under a memory limit: the test program carries its own operator new.
if(TARGET l3d_example_scans)
  l3d_add_test(filemanager_memory_test
    SOURCES filemanager_memory_test.cpp ${CMAKE_SOURCE_DIR}/tests/support/memory_limit.cpp
    LIBS l3d_example_scans l3d_core)
endif()
