# Drawing routines: the colour arithmetic natively; the painting routines on memory bitmaps, and
# flat scroll bars painted into a real window's frame on either side, under Wine.
l3d_add_test(color_math_test SOURCES color_math_test.cpp LIBS l3d_core)
l3d_add_test(drawing_test WINDOWS DESKTOP SOURCES drawing_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(drawing_flatbars_test WINDOWS DESKTOP SOURCES drawing_flatbars_test.cpp LIBS l3d_win l3d_gui_test)
