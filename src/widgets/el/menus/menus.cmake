# The native menus (main menu, menu bar, popup menu), the status bar and the form caption. The
# status panels' sizing and the caption texts' places are portable; the windows are not.
l3d_sources(CORE ElStatusBarPanels.cpp ElFormCaptionTexts.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElMenusNative.cpp ElStatusBar.cpp ElFormCaption.cpp)
endif()
