# The hint window on a real display.
l3d_add_test(hint_window_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/hint_window_test.cpp
             LIBS l3d_win l3d_gui_test)
