# The Unicode list box: its portable rules, and the control on real windows.
l3d_add_test(listbox_core_test SOURCES listbox_core_test.cpp LIBS l3d_core)
l3d_add_test(listbox_win_test WINDOWS DESKTOP SOURCES listbox_win_test.cpp LIBS l3d_win l3d_gui_test)
