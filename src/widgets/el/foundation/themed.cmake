# The themed controls' foundation: the style manager with the property table it sets through
# (portable), and the visual-styles binding with the themed control base (Windows).
l3d_sources(CORE ElPropertyTable.cpp ElStyleManager.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElUxTheme.cpp ElXPThemedControl.cpp)
endif()
# The two-value progress bar, a themed control: its geometry (portable) and the control.
l3d_sources(CORE ElProgressGeometry.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElBiProgressBar.cpp)
endif()
