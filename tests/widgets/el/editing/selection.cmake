# The selection controls: the spin edit's number rules (portable), and combo box, folder-name
# edit, spin edit and group box on real windows.
l3d_add_test(selection_value_test SOURCES spin_value_test.cpp LIBS l3d_core)
l3d_add_test(selection_controls_test WINDOWS DESKTOP SOURCES selection_controls_test.cpp LIBS l3d_win l3d_gui_test)
