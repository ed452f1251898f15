# Replacement scroll bars: range rules and geometry, the bar model, its styles and painter.
set(_sb_dir ${CMAKE_CURRENT_LIST_DIR})
l3d_add_test(foundation_scrollbars SOURCES ${_sb_dir}/scrollbar_geometry_test.cpp ${_sb_dir}/scrollbar_model_test.cpp
             ${_sb_dir}/scrollbar_painter_test.cpp LIBS l3d_core)
