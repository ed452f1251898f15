# Controls, forms, the application object and its message loop, timers and the seams of the
# system dialogs (Windows build only).
if(WIN32)
  l3d_sources(WINDOWS Control.cpp WinControl.cpp CustomControls.cpp Forms.cpp Application.cpp Screen.cpp
              Timer.cpp UtilityWindow.cpp Menus.cpp HintWindow.cpp HintManager.cpp Dialogs.cpp SystemSettings.cpp StdCtrls.cpp ExtCtrls.cpp
              ComCtrls.cpp)
endif()
