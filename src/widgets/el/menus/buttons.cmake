# Buttons, tool bars and panels: the portable rules of the buttons (down state, glyph images,
# layout, the flat look), and over Win32 the push, check and radio buttons, the graphic and tool
# buttons with their tool bar, and the panel.
l3d_sources(CORE ElButtonsCore.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElButtonsGlyph.cpp ElButtons.cpp ElButtonsGraphic.cpp ElToolBar.cpp ElPanel.cpp
              ElCheckControls.cpp)
endif()
