# Windows tests of controls, forms, graphics and the application loop; each drives real windows
# and drives the loop with the pump of tests/support.
l3d_add_test(framework_forms
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp ${CMAKE_CURRENT_LIST_DIR}/key_routing_test.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
foreach(name graphics plain_controls message_chain application window_links)
  l3d_add_test(framework_${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}_test.cpp
    LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
endforeach()
