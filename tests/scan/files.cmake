# Tests of the program's own files: settings file, language file, data tables, global state,
# and the data files that the build generates.
l3d_add_test(files_test
  SOURCES files_settings_test.cpp files_language_test.cpp files_datatables_test.cpp
          files_globals_test.cpp files_program_files_test.cpp
  LIBS l3d_core l3d_program_file_sources l3d_allocation_probe)
target_compile_definitions(files_test PRIVATE L3D_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                           L3D_PROGRAM_DIR="${L3D_PROGRAM_DIR}")
add_dependencies(files_test program_files)
