# The shared routines on real controls under Wine: text direction and the serial-port list.
l3d_add_test(globals_controls_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/globals_controls_test.cpp
             LIBS l3d_win l3d_gui_test)
