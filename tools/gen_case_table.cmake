# The case-table generator. It is run by hand (see its header); the build only compiles it.
if(NOT WIN32)
  add_executable(gen_case_table ${CMAKE_CURRENT_LIST_DIR}/gen_case_table/gen_case_table.cpp)
endif()
