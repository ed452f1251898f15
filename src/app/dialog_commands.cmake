# The dialogs of the edit, print and preferences commands, and the main window's units that run
# them.
if(WIN32)
  l3d_sources(WINDOWS
    dlg_interpolation.cpp
    dlg_faultsignals.cpp
    dlg_print.cpp
    dlg_preferences.cpp
    main_edit_dialogs.cpp
    main_print.cpp
    main_preferences.cpp
    BusyWork.cpp
  )
endif()
l3d_sources(CORE
  InterpolationWork.cpp
)
