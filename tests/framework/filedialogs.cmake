# The portable rules of the system's file dialogs.
l3d_add_test(framework_file_dialog_rules
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_dialog_rules_test.cpp LIBS l3d_core)
