# The scan files, the file manager, the recent list and the undo snapshot.
if(TARGET l3d_example_scans)
  l3d_add_test(filemanager_test
    SOURCES filemanager_load_test.cpp filemanager_reject_test.cpp filemanager_recent_test.cpp
            filemanager_snapshot_test.cpp
    LIBS l3d_example_scans l3d_core)
endif()
