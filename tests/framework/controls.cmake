# Windows tests of controls, forms, graphics and the application loop; each drives real windows
# and drives the loop with the pump of tests/support.
l3d_add_test(framework_forms
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp ${CMAKE_CURRENT_LIST_DIR}/key_routing_test.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
foreach(name graphics plain_controls message_chain application window_links menus hints window_styles)
  l3d_add_test(framework_${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}_test.cpp
    LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
endforeach()
# The objects of the framework are freed after main returns (a plain program, no test runner).
if(WIN32)
  add_executable(framework_shutdown ${CMAKE_CURRENT_LIST_DIR}/shutdown_main.cpp)
  target_link_libraries(framework_shutdown PRIVATE l3d_win)
  add_test(NAME win.framework_shutdown COMMAND framework_shutdown)
  set_tests_properties(win.framework_shutdown PROPERTIES
    PASS_REGULAR_EXPRESSION "form destroyed at exit, screen still there" TIMEOUT 120)
endif()
