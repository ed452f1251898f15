l3d_add_test(scan_bkstrings SOURCES ${CMAKE_CURRENT_LIST_DIR}/bkstrings_test.cpp LIBS l3d_core l3d_allocation_probe)
