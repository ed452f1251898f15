# A scan built aside and adopted by the scan in force.
l3d_add_test(scan_scandata_adopt_test SOURCES scandata_adopt_test.cpp LIBS l3d_core)
