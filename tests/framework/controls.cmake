l3d_add_test(framework_forms
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp ${CMAKE_CURRENT_LIST_DIR}/key_routing_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/fw_pump.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
l3d_add_test(framework_graphics
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphics_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fw_pump.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
l3d_add_test(framework_plain_controls
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/plain_controls_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fw_pump.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
l3d_add_test(framework_message_chain
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/message_chain_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fw_pump.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
l3d_add_test(framework_application
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/application_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fw_pump.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
