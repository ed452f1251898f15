# The status panels and caption texts (portable), and the native menus, status bar and form
# caption on real windows.
l3d_add_test(el_panels_captions_test SOURCES panels_captions_test.cpp LIBS l3d_core)
