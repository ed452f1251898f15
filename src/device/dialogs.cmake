# The dialogs of the device link: what the new-scan dialog shows and stores of a device profile
# and what the import dialog lists and decides are portable; the forms (new scan, import, the
# GPS wait window) are Windows.
l3d_sources(CORE NewScanChoices.cpp ImportDevices.cpp)
if(WIN32)
  l3d_sources(WINDOWS config.cpp dlg_import.cpp dlg_init.cpp)
endif()
