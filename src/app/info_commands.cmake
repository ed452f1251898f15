# The characteristics dialog, the about box, the frequency-energy chart window and the main
# window's commands that show them and the update check.
if(WIN32)
  l3d_sources(WINDOWS
    ProgramLook.cpp
    remarks.cpp
    dlg_about.cpp
    main_info_commands.cpp
  )
endif()
