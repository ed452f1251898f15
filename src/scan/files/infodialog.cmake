# The program's message box: its portable rules (buttons by bit, layout) and, over Win32, the
# form with ShowInfoDialog and the message sink that shows the file code's messages with it.
l3d_sources(CORE dlg_infodialog_layout.cpp)
if(WIN32)
  l3d_sources(WINDOWS dlg_infodialog.cpp)
endif()
