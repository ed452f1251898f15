# The drawing surface over GDI and the scoped GDI objects, on memory DCs and a real window.
l3d_add_test(framework_gdi_surface
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gdi_surface_test.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
# The recording surface of native layout and painting tests.
l3d_add_test(framework_recording_surface
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/recording_surface_test.cpp LIBS l3d_core)
# The PNG and JPEG encoders, read back with the same libraries (natively and under Wine), and
# the image files of bitmaps and icons (Windows).
l3d_add_test(framework_image_writers
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_writers_test.cpp LIBS l3d_core PNG::PNG JPEG::JPEG)
l3d_add_test(framework_image_files
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_files_test.cpp LIBS l3d_win PNG::PNG JPEG::JPEG WINDOWS)
