# The message box: its rules natively, the real dialog (and the file code's messages reaching
# it) under Wine.
l3d_add_test(infodialog_layout_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/infodialog_layout_test.cpp LIBS l3d_core)
l3d_add_test(infodialog_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/infodialog_test.cpp
             LIBS l3d_win l3d_gui_test)
