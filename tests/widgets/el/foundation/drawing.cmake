# Flat scroll bars painted into a real window's frame, on either side.
l3d_add_test(drawing_flatbars_test WINDOWS DESKTOP SOURCES drawing_flatbars_test.cpp LIBS l3d_win l3d_gui_test)
