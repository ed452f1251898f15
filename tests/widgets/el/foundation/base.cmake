# Base units of the widget foundation.
set(_base_dir ${CMAKE_CURRENT_LIST_DIR})
l3d_add_test(foundation_stream_strings SOURCES ${_base_dir}/stream_strings_test.cpp
             LIBS l3d_core l3d_allocation_probe)
l3d_add_test(foundation_strutils SOURCES ${_base_dir}/strutils_test.cpp ${_base_dir}/ansi_strutils_test.cpp
             ${_base_dir}/utf8_hints_test.cpp LIBS l3d_core)
l3d_add_test(foundation_list_tools SOURCES ${_base_dir}/list_test.cpp ${_base_dir}/tools_test.cpp
             LIBS l3d_core)
if(WIN32)
  enable_language(RC)
  l3d_add_test(foundation_tools_win WINDOWS DESKTOP SOURCES ${_base_dir}/tools_win_test.cpp LIBS l3d_win)
  l3d_add_test(foundation_version_info WINDOWS SOURCES ${_base_dir}/version_info_test.cpp ${_base_dir}/version_info.rc
               LIBS l3d_win)
  add_library(version_info_notrans SHARED ${_base_dir}/version_info_notrans.c ${_base_dir}/version_info_notrans.rc)
  set_target_properties(version_info_notrans PROPERTIES PREFIX "")
  add_dependencies(foundation_version_info version_info_notrans)
endif()
