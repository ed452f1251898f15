# Widget-layer runtime: drawing routines, window hook, scroll-function hook, timer pool.
l3d_add_test(runtime_scrollhook_test WINDOWS DESKTOP SOURCES runtime_scrollhook_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(runtime_hook_test WINDOWS DESKTOP SOURCES runtime_hook_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(runtime_timerpool_test WINDOWS DESKTOP SOURCES runtime_timerpool_test.cpp LIBS l3d_win l3d_gui_test)
l3d_add_test(runtime_colormath_test SOURCES runtime_colormath_test.cpp LIBS l3d_core)
l3d_add_test(runtime_drawing_test WINDOWS DESKTOP SOURCES runtime_drawing_test.cpp LIBS l3d_win l3d_gui_test)
