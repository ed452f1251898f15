# HTML text renderer (portable core, fixed-pitch recording surface), and its GDI side under Wine.
l3d_add_test(foundation_htmltext SOURCES ${CMAKE_CURRENT_LIST_DIR}/htmltext_test.cpp LIBS l3d_core)
l3d_add_test(html_gdi_test WINDOWS DESKTOP SOURCES ${CMAKE_CURRENT_LIST_DIR}/html_gdi_test.cpp
             LIBS l3d_win l3d_gui_test)
