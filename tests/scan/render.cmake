# The scan renderer: geometry and scene set-up natively (and under Wine), OpenGL under Wine.
l3d_add_test(render_geometry_test SOURCES render_geometry_test.cpp LIBS l3d_core)
l3d_add_test(render_scene_test SOURCES render_scene_test.cpp LIBS l3d_core)
l3d_add_test(render_readback_test SOURCES render_readback_test.cpp LIBS l3d_core)
l3d_add_test(render_opengl_test WINDOWS DESKTOP SOURCES render_opengl_test.cpp
             LIBS l3d_win l3d_gui_test opengl32 gdi32 user32 psapi)
l3d_add_test(render_control_test SOURCES render_control_test.cpp LIBS l3d_core)
l3d_add_test(render_opengl_control_test WINDOWS DESKTOP SOURCES render_opengl_control_test.cpp
             LIBS l3d_win l3d_gui_test opengl32 gdi32 user32)
