# The status panels and caption texts (portable), and the native menus, status bar and form
# caption on real windows.
l3d_add_test(el_panels_captions_test SOURCES panels_captions_test.cpp LIBS l3d_core)
l3d_add_test(el_menus_win_test WINDOWS DESKTOP SOURCES native_menus_test.cpp status_caption_test.cpp test_form_screenshot_test.cpp LIBS l3d_win l3d_gui_test)
