# Buttons, tool bars, panels and check controls: the portable rules natively, the controls on
# a test form under Wine.
l3d_add_test(el_buttons_core_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/el_buttons_core_test.cpp LIBS l3d_core)
l3d_add_test(el_buttons_test WINDOWS DESKTOP
             SOURCES ${CMAKE_CURRENT_LIST_DIR}/el_buttons_test.cpp ${CMAKE_CURRENT_LIST_DIR}/el_buttons_form.cpp
             LIBS l3d_win l3d_gui_test)
