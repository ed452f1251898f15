# Replacement scroll bars on real windows: the controller over a control of our own, a wrapped
# system list box and a form; themed and classic painting.
l3d_add_test(sbwin_controller_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/sbwin_controller_test.cpp
             LIBS l3d_win l3d_gui_test)
