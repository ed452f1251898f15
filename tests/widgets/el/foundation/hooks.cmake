# The window hook and the scroll-function hook on real windows.
l3d_add_test(hook_test WINDOWS DESKTOP SOURCES hook_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(scroll_hook_test WINDOWS DESKTOP SOURCES scroll_hook_test.cpp LIBS l3d_win l3d_gui_test)
