# Themed controls' foundation: themed control base, style manager, the two-value progress bar,
# and a form of themed controls as a user sees it.
l3d_add_test(themed_control_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/themed_control_test.cpp
             LIBS l3d_win l3d_gui_test)
l3d_add_test(style_manager_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/style_manager_test.cpp LIBS l3d_core)
l3d_add_test(progress_geometry_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/progress_geometry_test.cpp LIBS l3d_core)
l3d_add_test(progress_bar_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/progress_bar_test.cpp
             LIBS l3d_win l3d_gui_test)
l3d_add_test(themed_showcase_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/themed_showcase_test.cpp
             LIBS l3d_win l3d_gui_test)
