# Text input for the program's text controls: the clipboard as text (a portable interface with an
# in-memory stand-in for native tests), and over Win32 the caret, the system clipboard, the input
# method editor, and drag and drop between controls.
if(WIN32)
  l3d_sources(WINDOWS Caret.cpp WinClipboard.cpp Ime.cpp DragDrop.cpp)
endif()
