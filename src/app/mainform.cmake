# The program: its main window with the splash screen and the windows it makes at start-up,
# the program block, and Lorvane3D.exe in the program folder beside its data files.
l3d_sources(CORE
  AppGlyphs.cpp
  AppGlyphRows.cpp
  StartupRules.cpp
  ScanPainting.cpp
)
if(WIN32)
  l3d_sources(WINDOWS
    dlg_splashscreen.cpp
    dlg_info.cpp
    dlg_diagramm.cpp
    main.cpp
    main_command_table.cpp
    main_build.cpp
    main_settings.cpp
    main_language.cpp
    main_status.cpp
    main_open.cpp
    main_paint.cpp
    main_navigation.cpp
    ProgramStart.cpp
    main_commands.cpp
    main_export.cpp
    main_window_commands.cpp
  )

  # The version block, compiled with the cross toolchain's resource compiler into an object
  # that the program (and the start-up tests that read it) link.
  set(L3D_VERSION_RESOURCE ${CMAKE_CURRENT_BINARY_DIR}/Lorvane3D_res.o CACHE INTERNAL "The program's version block")
  add_custom_command(OUTPUT ${L3D_VERSION_RESOURCE}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${CMAKE_CURRENT_LIST_DIR}/Lorvane3D.rc -o ${L3D_VERSION_RESOURCE}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Lorvane3D.rc
    COMMENT "Compiling the program's version block"
    VERBATIM)
  add_custom_target(l3d_version_resource DEPENDS ${L3D_VERSION_RESOURCE})

  # The program folder, shared with the data files (tools/program_files.cmake) and the USB
  # library's stand-in.
  if(NOT L3D_PROGRAM_DIR)
    set(L3D_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin CACHE INTERNAL "Folder of the program and its data files")
  endif()
  # The layer's libraries are made after this folder is read, so the program's target waits
  # until the end of the configuration.
  function(l3d_add_program_target)
    add_executable(Lorvane3D WIN32 ${CMAKE_SOURCE_DIR}/src/app/Lorvane3D.cpp ${L3D_VERSION_RESOURCE})
    add_dependencies(Lorvane3D l3d_version_resource)
    target_link_libraries(Lorvane3D PRIVATE l3d_app_win)
    target_link_options(Lorvane3D PRIVATE -municode)
    set_target_properties(Lorvane3D PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${L3D_PROGRAM_DIR})
  endfunction()
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL l3d_add_program_target)
endif()
