# The edit, memo and button edit on real windows under Wine.
l3d_add_test(edit_win_test WINDOWS DESKTOP SOURCES edit_win_test.cpp LIBS l3d_win l3d_gui_test imm32)
l3d_add_test(edit_win_view_test WINDOWS DESKTOP SOURCES edit_win_view_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(button_edit_win_test WINDOWS DESKTOP SOURCES button_edit_win_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(button_edit_layout_test SOURCES button_edit_layout_test.cpp LIBS l3d_core)
