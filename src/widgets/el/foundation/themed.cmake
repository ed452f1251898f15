# The themed controls' foundation: the style manager with the property table it sets through
# (portable), and the visual-styles binding with the themed control base (Windows).
l3d_sources(CORE ElPropertyTable.cpp ElStyleManager.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElUxTheme.cpp ElXPThemedControl.cpp)
endif()
# The two-value progress bar: its geometry (portable) and the control.
l3d_sources(CORE ElProgressGeometry.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElBiProgressBar.cpp)
endif()
# The hint window, and the HTML renderer's GDI side it paints through.
if(WIN32)
  l3d_sources(WINDOWS ElHTMLGdi.cpp ElHintWindow.cpp)
endif()
# The form background image: the picture's opaque runs (portable) and the component.
l3d_sources(CORE ElRegionRuns.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElImageForm.cpp)
endif()
# The ini store's registry mode on the system registry.
if(WIN32)
  l3d_sources(WINDOWS ElIniSystemRegistry.cpp)
endif()
