# The device dialogs: what the new-scan and import dialogs show and decide, natively against the
# USB library's simulation; the forms, the serial-port list and the stand-in DLL under Wine.
l3d_add_test(device_dialogs_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/simulated_usb.cpp ${CMAKE_CURRENT_LIST_DIR}/import_devices_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/new_scan_choices_test.cpp
  LIBS l3d_core ftd2xx_sim)
l3d_add_test(device_forms_test WINDOWS DESKTOP
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_forms_test.cpp
  LIBS l3d_win l3d_gui_test)
l3d_add_test(import_dialog_test WINDOWS DESKTOP
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/import_dialog_test.cpp
  LIBS l3d_win l3d_gui_test)
if(WIN32)
  target_compile_definitions(import_dialog_test PRIVATE L3D_PROGRAM_DIR="${L3D_PROGRAM_DIR}")
  add_dependencies(import_dialog_test ftd2xx_standin)
endif()
