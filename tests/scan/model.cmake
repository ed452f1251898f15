# Tests of the scan model: colour scale, point grid (against straightforward reference
# versions), data grid.
l3d_add_test(scan_colormanager_test SOURCES colormanager_test.cpp LIBS l3d_core)
l3d_add_test(scan_scandata_test SOURCES scandata_test.cpp scandata_reference_test.cpp LIBS l3d_core)
l3d_add_test(scan_datagrid_test SOURCES datagrid_test.cpp LIBS l3d_core)
