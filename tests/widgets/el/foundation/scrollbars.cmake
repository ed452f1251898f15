# Replacement scroll bars: range rules and geometry, the bar model, its styles and painter; and
# on real windows the controller over a control of our own, a wrapped system list box and a
# form, themed and classic painting.
set(_sb_dir ${CMAKE_CURRENT_LIST_DIR})
l3d_add_test(foundation_scrollbars SOURCES ${_sb_dir}/scrollbar_geometry_test.cpp ${_sb_dir}/scrollbar_model_test.cpp
             ${_sb_dir}/scrollbar_painter_test.cpp LIBS l3d_core)
l3d_add_test(scrollbar_controller_test WINDOWS DESKTOP SOURCES ${_sb_dir}/scrollbar_controller_test.cpp
             LIBS l3d_win l3d_gui_test)
