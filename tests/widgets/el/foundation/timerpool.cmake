# The timer pool on its window and multimedia timers.
l3d_add_test(timer_pool_test WINDOWS DESKTOP SOURCES timer_pool_test.cpp LIBS l3d_win l3d_gui_test)
