# The Unicode list box: its portable rules, and the control on real windows.
l3d_add_test(listbox_core_test SOURCES listbox_core_test.cpp LIBS l3d_core)
l3d_add_test(listbox_win_test WINDOWS DESKTOP SOURCES listbox_win_test.cpp LIBS l3d_win l3d_gui_test)
# Figures (printed, never judged by time): adding 100,000 items in one update, scrolling a page.
l3d_add_test(listbox_bench_test WINDOWS DESKTOP SOURCES listbox_bench_test.cpp LIBS l3d_win l3d_gui_test)
# The combo box's drop-down list on the list box: opening, picking by keys and mouse, closing.
l3d_add_test(combo_list_test WINDOWS DESKTOP SOURCES combo_list_test.cpp LIBS l3d_win l3d_gui_test)
