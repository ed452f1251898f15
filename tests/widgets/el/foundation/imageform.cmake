# The form background image: the picture's opaque runs natively, the component under Wine.
l3d_add_test(region_runs_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_runs_test.cpp LIBS l3d_core)
l3d_add_test(image_form_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_form_test.cpp
             LIBS l3d_win l3d_gui_test)
