# Base units of the widget foundation.
set(_base_dir ${CMAKE_CURRENT_LIST_DIR})
l3d_add_test(foundation_base_stream_strings SOURCES ${_base_dir}/base_stream_strings_test.cpp
             LIBS l3d_core l3d_allocation_probe)
l3d_add_test(foundation_base_strutils SOURCES ${_base_dir}/base_strutils_test.cpp ${_base_dir}/base_ansi_strutils_test.cpp
             ${_base_dir}/base_utf8_hints_test.cpp LIBS l3d_core)
l3d_add_test(foundation_base_list_tools SOURCES ${_base_dir}/base_list_test.cpp ${_base_dir}/base_tools_test.cpp
             LIBS l3d_core)
if(WIN32)
  enable_language(RC)
  l3d_add_test(foundation_base_windows WINDOWS DESKTOP SOURCES ${_base_dir}/base_windows_test.cpp LIBS l3d_win)
  l3d_add_test(foundation_base_version WINDOWS SOURCES ${_base_dir}/base_version_test.cpp ${_base_dir}/base_version.rc
               LIBS l3d_win)
  add_library(base_version_notrans SHARED ${_base_dir}/base_version_notrans.c ${_base_dir}/base_version_notrans.rc)
  set_target_properties(base_version_notrans PROPERTIES PREFIX "")
  add_dependencies(foundation_base_version base_version_notrans)
endif()
