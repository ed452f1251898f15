l3d_add_test(framework_components
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/components_test.cpp ${CMAKE_CURRENT_LIST_DIR}/menu_items_test.cpp
  LIBS l3d_core)
