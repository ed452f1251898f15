# The example scans of the Examples menu, written by a native tool into the Examples folder
# beside the program's data files (L3D_PROGRAM_DIR/Examples). The cross build runs the tool
# from the same nested native build that makes the program's data files.
set(ex_dir ${CMAKE_CURRENT_LIST_DIR}/examples)

# The example definitions; the tests load them, so they exist in every build.
add_library(l3d_example_scans STATIC ${ex_dir}/ExampleScans.cpp)
target_link_libraries(l3d_example_scans PUBLIC l3d_core)
target_include_directories(l3d_example_scans PUBLIC ${ex_dir})

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(make_example_scans ${ex_dir}/make_example_scans.cpp)
  target_link_libraries(make_example_scans PRIVATE l3d_example_scans)
endif()

# The rules that write them use the program folder and the nested native build that
# program_files.cmake sets up, which tools/CMakeLists.txt includes before this file.
function(l3d_add_example_scan_rules)
  set(ex_out ${L3D_PROGRAM_DIR}/Examples)
  if(NOT CMAKE_CROSSCOMPILING)
    set(ex_tool $<TARGET_FILE:make_example_scans>)
    set(ex_tool_target make_example_scans)
  elseif(TARGET host_make_program_files)
    ExternalProject_Get_Property(host_make_program_files BINARY_DIR)
    ExternalProject_Add_Step(host_make_program_files example_scans_tool
      COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --target make_example_scans
      DEPENDEES build
      ALWAYS ON
      BYPRODUCTS ${BINARY_DIR}/tools/make_example_scans)
    set(ex_tool ${BINARY_DIR}/tools/make_example_scans)
    set(ex_tool_target host_make_program_files)
  else()
    return()
  endif()
  set(ex_stamp ${ex_out}/examples.stamp)
  add_custom_command(OUTPUT ${ex_stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ex_out}
    COMMAND ${ex_tool} ${ex_out}
    COMMAND ${CMAKE_COMMAND} -E touch ${ex_stamp}
    DEPENDS ${ex_tool_target} ${ex_dir}/ExampleScans.cpp ${ex_dir}/ExampleScans.h
    COMMENT "Writing the example scans into ${ex_out}"
    VERBATIM)
  add_custom_target(example_scans ALL DEPENDS ${ex_stamp})
endfunction()
l3d_add_example_scan_rules()
