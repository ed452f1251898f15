# Files that exist but cannot be opened, and settings files cut short.
if(TARGET l3d_example_scans)
  l3d_add_test(files_open_errors_test SOURCES files_open_errors_test.cpp LIBS l3d_example_scans l3d_core)
endif()
