l3d_add_test(framework_sysutils
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/number_text_test.cpp ${CMAKE_CURRENT_LIST_DIR}/date_format_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/file_utils_test.cpp ${CMAKE_CURRENT_LIST_DIR}/math_utils_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/colors_test.cpp
  LIBS l3d_core)
