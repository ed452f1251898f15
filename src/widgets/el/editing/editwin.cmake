# The Unicode edit, memo and button edit on real windows: thin adapters over the portable editor
# core (painting, scrolling, messages, mouse, drag and drop, input method, buttons). The button
# edit's layout arithmetic is portable.
l3d_sources(CORE ElButtonEditLayout.cpp ElLinkedControl.cpp)
if(WIN32)
  l3d_sources(WINDOWS ElEdit.cpp ElEditPaint.cpp ElEditMessages.cpp ElButtonEdit.cpp)
endif()
