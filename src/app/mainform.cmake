# The main window with the splash screen and the windows it makes at start-up (the info window
# and the chart window), and the program block that runs them.
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
endif()
