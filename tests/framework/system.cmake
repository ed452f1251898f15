# Framework services of the operating system and 8-bit string lists: natively, and the Windows
# edges (the system's own command-line splitting, search and full paths, the registry) under
# Wine.
l3d_add_test(framework_system
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/string_list_test.cpp ${CMAKE_CURRENT_LIST_DIR}/system_services_test.cpp
  LIBS l3d_core)
l3d_add_test(framework_system_windows
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/system_windows_test.cpp ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp
  LIBS l3d_win WINDOWS)
