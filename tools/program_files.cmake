# The program's data files, written by a native tool with the program's own writers from the
# text sources under data/: Lorvane3D.dat, Lorvane3D.lng and the device definition files.
# They land in L3D_PROGRAM_DIR, the folder where the program expects them beside its executable.
set(L3D_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the program and its data files")
set(pf_dir ${CMAKE_CURRENT_LIST_DIR}/program-files)

# Reading and writing the sources; the tests use it too, so it exists in every build.
add_library(l3d_program_file_sources STATIC ${pf_dir}/ProgramFileSources.cpp)
target_link_libraries(l3d_program_file_sources PUBLIC l3d_core)
target_include_directories(l3d_program_file_sources PUBLIC ${pf_dir})

# English first: the program falls back to the first language of the file.
set(pf_languages en_US de_DE)
file(GLOB pf_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/lang/*.txt ${CMAKE_SOURCE_DIR}/data/tables/*.tsv)

if(NOT CMAKE_CROSSCOMPILING)
  add_executable(make_program_files ${pf_dir}/make_program_files.cpp)
  target_link_libraries(make_program_files PRIVATE l3d_program_file_sources)
  set(pf_tool $<TARGET_FILE:make_program_files>)
  set(pf_tool_target make_program_files)
else()
  # The cross build cannot run its own executables without Wine, so the tool is built for this
  # machine in a nested native build of the same sources.
  include(ExternalProject)
  set(pf_host ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_make_program_files
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${pf_host}
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${pf_host} --target make_program_files
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${pf_host}/tools/make_program_files
    INSTALL_COMMAND "")
  set(pf_tool ${pf_host}/tools/make_program_files)
  set(pf_tool_target host_make_program_files)
endif()

set(pf_stamp ${L3D_PROGRAM_DIR}/program-files.stamp)
add_custom_command(OUTPUT ${pf_stamp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${L3D_PROGRAM_DIR}
  COMMAND ${pf_tool} ${CMAKE_SOURCE_DIR}/data ${L3D_PROGRAM_DIR} ${pf_languages}
  COMMAND ${CMAKE_COMMAND} -E touch ${pf_stamp}
  DEPENDS ${pf_tool_target} ${pf_sources}
  COMMENT "Writing the program's data files into ${L3D_PROGRAM_DIR}"
  VERBATIM)
add_custom_target(program_files ALL DEPENDS ${pf_stamp})
