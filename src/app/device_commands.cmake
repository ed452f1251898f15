# The device commands of the main window: New (the new-scan dialog, and stopping a receive) and
# the Import menu's entries (the import dialog for one device model and the report after it).
l3d_sources(CORE
  ImportReport.cpp
)
if(WIN32)
  l3d_sources(WINDOWS
    main_new.cpp
    main_import.cpp
  )
endif()
