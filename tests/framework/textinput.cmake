# The text-input facilities under Wine: clipboard, caret, input method editor, drag and drop.
l3d_add_test(framework_text_input
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipboard_test.cpp ${CMAKE_CURRENT_LIST_DIR}/caret_ime_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/drag_drop_test.cpp
  LIBS l3d_win l3d_gui_test WINDOWS DESKTOP)
